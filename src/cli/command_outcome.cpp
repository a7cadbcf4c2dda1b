#include "cli/command_outcome.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "assets/output_file.h"
#include "render/renderer.h"

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

FrameOptions DefaultFrameOptions() {
    return FrameOptions{1, DefaultThreadCount()};
}

int ReportCommandLine(const CommandLineOutcome& outcome) {
    if (outcome.run) {
        std::fputs(outcome.text.c_str(), stderr);
        return -1;
    }
    std::fputs(outcome.text.c_str(), outcome.exitStatus == 0 ? stdout : stderr);
    return outcome.exitStatus;
}

bool ParseWholeNumber(const char* text, uint32_t& value) {
    if (!IsDigit(text[0])) {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    const unsigned long long parsed = std::strtoull(text, &end, 10);
    if (errno != 0 || *end != '\0' || parsed > UINT32_MAX) {
        return false;
    }
    value = static_cast<uint32_t>(parsed);
    return true;
}

bool OutputFilesWritable(const char* program, std::initializer_list<std::string> paths) {
    for (const std::string& path : paths) {
        const std::string problem = path.empty() ? std::string() : OutputPathProblem(path.c_str());
        if (!problem.empty()) {
            std::fprintf(stderr, "%s: %s\n", program, problem.c_str());
            return false;
        }
    }
    return true;
}
