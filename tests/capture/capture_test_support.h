// Scratch folders for the capture tests, and running a test inside one.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>

struct TempFolder {
    std::string path;
    TempFolder() {
        std::string pattern = ::testing::TempDir() + "drav-capture-XXXXXX";
        const char* created = mkdtemp(pattern.data());
        EXPECT_NE(created, nullptr);
        path = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

// Makes folder the working directory until the end of the scope.
struct WorkingDirectory {
    std::filesystem::path previous;
    explicit WorkingDirectory(const std::string& folder)
        : previous(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~WorkingDirectory() { std::filesystem::current_path(previous); }
};
