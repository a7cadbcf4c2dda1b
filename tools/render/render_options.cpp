#include "render_options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "cli/command_line.h"
#include "demo/demo_format.h"
#include "startup/data_directory.h"

namespace {

constexpr int MinimumCameraFields = 3;
constexpr int MaximumCameraFields = 4;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Only plain decimal notation: digits, one sign, a point and an exponent. Rules out the
// hexadecimal, infinity and NaN spellings that strtof would also take.
bool LooksDecimal(const char* text, const char* end) {
    if (text == end) {
        return false;
    }
    for (const char* c = text; c < end; ++c) {
        if (!IsDigit(*c) && std::strchr("+-.eE", *c) == nullptr) {
            return false;
        }
    }
    return true;
}

} // namespace

bool ParseDecimalFloat(const char* text, const char* end, float& value) {
    if (!LooksDecimal(text, end)) {
        return false;
    }
    const std::string field(text, end);
    char* parsedEnd = nullptr;
    // strtof also reports ERANGE for a result below the normal range, which is still the
    // nearest float (a subnormal, or zero); only an overflow to infinity is out of range.
    const float parsed = std::strtof(field.c_str(), &parsedEnd);
    if (parsedEnd != field.c_str() + field.size() || !std::isfinite(parsed)) {
        return false;
    }
    value = parsed;
    return true;
}

bool ParseCamera(const char* text, CameraOverride& camera) {
    float fields[MaximumCameraFields] = {0.0f, 0.0f, 0.0f, 0.0f};
    int count = 0;
    const char* start = text;
    for (;;) {
        const char* comma = std::strchr(start, ',');
        const char* end = comma != nullptr ? comma : start + std::strlen(start);
        if (count == MaximumCameraFields || !ParseDecimalFloat(start, end, fields[count])) {
            return false;
        }
        ++count;
        if (comma == nullptr) {
            break;
        }
        start = comma + 1;
    }
    if (count < MinimumCameraFields) {
        return false;
    }
    camera = CameraOverride{true, {fields[0], fields[1], fields[2], fields[3]}};
    return true;
}

CommandLineOutcome ParseRenderOptions(int argc, const char* const* argv, RenderOptions& options) {
    options = RenderOptions{"", 0,        {false, {0.0f, 0.0f, 0.0f, 0.0f}},
                            "", "",       "",
                            "", Walk{},   DefaultFrameOptions(),
                            "", PlayToEnd};
    ParseWalk(DefaultWalk, options.walk);
    CLI::App app("", "drav-render");
    DescribeProgram(app, "Renders one frame of the level after a number of ticks and writes it "
                         "to files.");
    AddTextOption(app, "--data", "DIR", DataOptionDescription, options.dataDirectory);
    CLI::Option* ticks = AddWholeNumberOption(
        app, "--ticks", "N", "simulation ticks of 16 ms before the frame (default 0)",
        options.ticks, 0, MaxRenderTicks);
    AddParsedOption(app, "--camera", "X,Z,YAW[,PITCH]", "place the eye instead", options.camera,
                    ParseCamera, "a list of three or four decimal numbers");
    AddTextOption(app, "--png", "FILE", "write the frame as it is shown, as PNG", options.pngPath);
    AddTextOption(app, "--raw", "FILE", "write the frame's palette indices, row by row",
                  options.rawPath);
    AddTextOption(app, "--fog-table", "FILE", "write the 256x256 fog table", options.fogTablePath);
    // A demo brings its own ticks.
    CLI::Option* play = AddTextOption(app, "--play", "DEMO",
                                      "play the demo's keys, its checks compared, and render the "
                                      "frame after its last tick",
                                      options.playPath);
    AddWholeNumberOption(app, "--tick", "N", "with --play: the frame after tick N instead",
                         options.playTick, 0, DemoMaxTicks)
        ->needs(play);
    CLI::Option* gif = AddTextOption(app, "--gif", "FILE",
                                     "write a GIF clip: of the demo's ticks with --play, else of a "
                                     "walk on from the frame",
                                     options.gifPath);
    CLI::Option* walk =
        AddParsedOption(app, "--walk", "SCRIPT", "the clip's walk (default: the built-in tour)",
                        options.walk, ParseWalk, "a walk script")
            ->needs(gif);
    RefuseTogether(play, {ticks, walk});
    AddFrameOptions(app, options.frame);
    return ParseCommandLine(app, argc, argv);
}
