#include "startup/data_directory.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "assets/model.h"
#include "startup/startup.h"

namespace fs = std::filesystem;

namespace {

bool IsRegularFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

std::string Describe(const std::string& candidate) {
    if (!candidate.empty()) {
        return candidate;
    }
    std::error_code error;
    const fs::path here = fs::current_path(error);
    return error ? std::string("the working directory")
                 : "the working directory (" + here.string() + ")";
}

} // namespace

std::vector<std::string> DataDirectoryCandidates(const std::string& executablePath) {
    std::vector<std::string> candidates{""};
    if (executablePath.empty()) {
        return candidates;
    }
    const fs::path folder = fs::path(executablePath).parent_path();
#ifdef _WIN32
    candidates.push_back(folder.string());
#endif
    // Normalised by its text alone, so /usr/bin/../share/drav reads /usr/share/drav in messages.
    candidates.push_back((folder / ".." / "share" / "drav").lexically_normal().string());
    return candidates;
}

bool HoldsDataFiles(const std::string& directory) {
    const fs::path folder(directory);
    for (const ModelSlot& slot : ModelSlots) {
        if (IsRegularFile(folder / slot.modelFileName) ||
            IsRegularFile(folder / slot.textureFileName)) {
            return true;
        }
    }
    return false;
}

bool FindDataDirectory(const std::vector<std::string>& candidates, std::string& found) {
    for (const std::string& candidate : candidates) {
        if (HoldsDataFiles(candidate)) {
            found = candidate;
            return true;
        }
    }
    return false;
}

std::string MissingDataMessage(const std::vector<std::string>& candidates) {
    std::string message = "no data files in ";
    for (size_t i = 0; i < candidates.size(); ++i) {
        if (i > 0) {
            message += i + 1 == candidates.size() ? " or in " : ", in ";
        }
        message += Describe(candidates[i]);
    }
    message += " (looked for";
    for (const ModelSlot& slot : ModelSlots) {
        message += ' ';
        message += slot.modelFileName;
    }
    return message + " and their .raw textures)";
}

std::string ResolveDataDirectory(const std::string& dataDirectory) {
    std::string found = dataDirectory;
    if (found.empty()) {
        FindDataDirectory(DataDirectoryCandidates(ExecutablePath()), found);
    }
    return found;
}

bool LoadDataSet(const char* program, const std::string& dataDirectory, const char* hint) {
    const std::vector<std::string> candidates = dataDirectory.empty()
                                                    ? DataDirectoryCandidates(ExecutablePath())
                                                    : std::vector<std::string>{dataDirectory};
    std::string found;
    if (!FindDataDirectory(candidates, found)) {
        // A folder named with --data needs no hint to name one.
        std::fprintf(stderr, "%s: %s%s\n", program, MissingDataMessage(candidates).c_str(),
                     dataDirectory.empty() ? hint : "");
        for (const ModelSlot& slot : ModelSlots) {
            *slot.slot = nullptr;
        }
        return false;
    }
    // The working directory keeps the plain file names in every warning.
    LoadModelSet(found.empty() ? nullptr : found.c_str(), program);
    return true;
}
