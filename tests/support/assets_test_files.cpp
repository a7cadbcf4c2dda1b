#include "support/assets_test_files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "assets/data_file.h"

ScratchDirectory::ScratchDirectory() {
    std::string pattern = ::testing::TempDir() + "drav-assets-XXXXXX";
    const char* created = mkdtemp(pattern.data());
    EXPECT_NE(created, nullptr) << "cannot create " << pattern;
    path = pattern;
}

ScratchDirectory::~ScratchDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

std::string ScratchDirectory::PathOf(const std::string& name) const {
    return path + "/" + name;
}

std::string ScratchDirectory::Write(const std::string& name, const Bytes& bytes) const {
    const std::string file = PathOf(name);
    EXPECT_TRUE(WriteFileBytes(file.c_str(), bytes.data(), bytes.size()))
        << "cannot write " << file;
    return file;
}

ModelPointer Load(const std::string& modelPath, const std::string& texturePath) {
    return ModelPointer(LoadModel(modelPath.c_str(), texturePath.c_str()));
}

Bytes ModelFile(const char* magic, int32_t version, int32_t count, const Bytes& body) {
    Bytes file(12 + body.size());
    std::memcpy(file.data(), magic, 4);
    std::memcpy(file.data() + 4, &version, 4);
    std::memcpy(file.data() + 8, &count, 4);
    if (!body.empty()) {
        std::memcpy(file.data() + 12, body.data(), body.size());
    }
    return file;
}

Bytes PatternedTriangles(int count) {
    Bytes bytes(static_cast<size_t>(count) * sizeof(ModelTriangle));
    for (size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<uint8_t>(1 + i % 251);
    }
    return bytes;
}

Bytes ReadWholeFile(const std::string& path) {
    Bytes bytes;
    std::FILE* stream = std::fopen(path.c_str(), "rb");
    if (!stream) {
        return bytes;
    }
    uint8_t buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, stream)) > 0) {
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    std::fclose(stream);
    return bytes;
}

std::string DataFile(const char* name) {
    return std::string(DRAV_DATA_DIR) + "/" + name;
}

Bytes TriangleBytes(const Model& model) {
    const uint8_t* first = reinterpret_cast<const uint8_t*>(model.triangles);
    return Bytes(first, first + static_cast<size_t>(model.triangleCount) * sizeof(ModelTriangle));
}
