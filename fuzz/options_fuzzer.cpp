// Every command-line parser on any argument list: drav-render's, drav-bench's and drav's, and
// the page-address query of drav in the browser, whose own parser must agree with drav's. A
// parse ends in a run with every value in its range, or in a message and exit status 2 (0 for
// --help and --version); the same arguments always give the same outcome.
// Input: a byte choosing the parser, then the arguments, separated by NUL bytes.
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "bench_options.h"
#include "cli/drav_options.h"
#include "fuzz_check.h"
#include "render/frame_buffer.h"
#include "render/renderer.h"
#include "render_options.h"

namespace {

// argv for the words: the program name, then each word.
std::vector<const char*> ArgumentVector(const char* program,
                                        const std::vector<std::string>& words) {
    std::vector<const char*> argv = {program};
    for (const std::string& word : words) {
        argv.push_back(word.c_str());
    }
    argv.push_back(nullptr);
    return argv;
}

void CheckFrameOptions(const FrameOptions& frame) {
    FUZZ_CHECK(frame.scale >= 1 && frame.scale <= MaxFrameScale);
    FUZZ_CHECK(frame.threads >= 1 && frame.threads <= MaxRenderThreads);
}

// A refusal says why and exits 2; the help and the version ("NAME VERSION") exit 0; and parsing
// again gives the same outcome.
template <typename Parse>
void CheckOutcome(const CommandLineOutcome& outcome, const char* program, Parse parseAgain) {
    if (!outcome.run) {
        FUZZ_CHECK(outcome.exitStatus == 0 || outcome.exitStatus == ExitBadArguments);
        FUZZ_CHECK(outcome.exitStatus == 0 ||
                   outcome.text.rfind(std::string(program) + ": ", 0) == 0);
        FUZZ_CHECK(outcome.text.find("usage") != std::string::npos ||
                   outcome.text.rfind(std::string(program) + " ", 0) == 0);
    }
    const CommandLineOutcome again = parseAgain();
    FUZZ_CHECK(again.run == outcome.run && again.exitStatus == outcome.exitStatus &&
               again.text == outcome.text);
}

void CheckRender(const std::vector<std::string>& words) {
    const std::vector<const char*> argv = ArgumentVector("drav-render", words);
    const int argc = static_cast<int>(argv.size() - 1);
    RenderOptions options;
    const CommandLineOutcome outcome = ParseRenderOptions(argc, argv.data(), options);
    CheckOutcome(outcome, "drav-render", [&] {
        RenderOptions scratch;
        return ParseRenderOptions(argc, argv.data(), scratch);
    });
    if (outcome.run) {
        FUZZ_CHECK(options.ticks <= MaxRenderTicks);
        CheckFrameOptions(options.frame);
        const CameraPose& c = options.camera.pose;
        FUZZ_CHECK(!options.camera.given || (std::isfinite(c.x) && std::isfinite(c.z) &&
                                             std::isfinite(c.yaw) && std::isfinite(c.pitch)));
    }
}

void CheckBench(const std::vector<std::string>& words) {
    const std::vector<const char*> argv = ArgumentVector("drav-bench", words);
    const int argc = static_cast<int>(argv.size() - 1);
    BenchOptions options;
    const CommandLineOutcome outcome = ParseBenchOptions(argc, argv.data(), options);
    CheckOutcome(outcome, "drav-bench", [&] {
        BenchOptions scratch;
        return ParseBenchOptions(argc, argv.data(), scratch);
    });
    if (outcome.run) {
        // The frames a run renders, and so the records it keeps, are bounded.
        const uint64_t frames = options.frames != 0 ? options.frames : options.walk.totalTicks;
        FUZZ_CHECK(frames >= 1 && frames <= MaxBenchFrames);
        uint64_t ticks = 0;
        for (const WalkStep& step : options.walk.steps) {
            FUZZ_CHECK(step.keys != 0 && step.ticks >= 1);
            ticks += step.ticks;
        }
        FUZZ_CHECK(ticks == options.walk.totalTicks && ticks <= MaxWalkTicks);
        CheckFrameOptions(options.frame);
    }
}

void CheckDemo(const char* program, const std::vector<std::string>& words) {
    const std::vector<const char*> argv = ArgumentVector(program, words);
    const int argc = static_cast<int>(argv.size() - 1);
    DravOptions options;
    const CommandLineOutcome outcome = ParseDravOptions(argc, argv.data(), options);
    CheckOutcome(outcome, "drav", [&] {
        DravOptions scratch;
        return ParseDravOptions(argc, argv.data(), scratch);
    });
    if (outcome.run) {
        CheckFrameOptions(options.frame);
    }
}

// The page's own parser answers a query as the library does. The page reads its address as a
// C string, so the query it parses ends at its first NUL, as the library's arguments do.
void CheckPageParser(const std::string& query) {
    std::vector<std::string> words = QueryArguments(query.c_str());
    DravOptions pageOptions;
    const CommandLineOutcome page = ParsePageOptions(words, pageOptions);
    words.erase(words.begin());
    const std::vector<const char*> argv = ArgumentVector("drav", words);
    DravOptions options;
    const CommandLineOutcome library =
        ParseDravOptions(static_cast<int>(argv.size() - 1), argv.data(), options);
    FUZZ_CHECK(page.run == library.run && page.exitStatus == library.exitStatus &&
               page.text == library.text);
}

// The page address's query becomes drav's command line, program name first.
void CheckQuery(const std::string& query) {
    std::vector<std::string> words = QueryArguments(query);
    FUZZ_CHECK(!words.empty() && words[0] == "drav");
    CheckPageParser(query);
    words.erase(words.begin());
    CheckDemo("drav", words);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    std::vector<std::string> words;
    for (size_t start = 0; start <= text.size();) {
        const size_t end = std::min(text.find('\0', start), text.size());
        words.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    switch (data[0] % 4) {
    case 0:
        CheckRender(words);
        break;
    case 1:
        CheckBench(words);
        break;
    case 2:
        CheckDemo("drav", words);
        break;
    default:
        CheckQuery(text);
        break;
    }
    return 0;
}
