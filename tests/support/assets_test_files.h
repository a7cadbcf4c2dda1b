// Helpers for the asset tests: scratch files, model file images and the generated data set.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "assets/model.h"

using Bytes = std::vector<uint8_t>;

// A fresh directory under the test temp directory, removed with everything in it at the end.
struct ScratchDirectory {
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    // Writes the bytes to a file of that name in the directory and returns its path.
    std::string Write(const std::string& name, const Bytes& bytes) const;
    std::string PathOf(const std::string& name) const;

    std::string path;
};

struct ModelDeleter {
    void operator()(Model* model) const { FreeModel(model); }
};
using ModelPointer = std::unique_ptr<Model, ModelDeleter>;

ModelPointer Load(const std::string& modelPath, const std::string& texturePath);

// A model file: the four magic bytes, version, count, then body (which need not hold count
// triangles).
Bytes ModelFile(const char* magic, int32_t version, int32_t count, const Bytes& body);

// count triangles whose bytes all differ from zero and from each other's neighbours.
Bytes PatternedTriangles(int count);

Bytes ReadWholeFile(const std::string& path);

// The path of a file of the generated data set.
std::string DataFile(const char* name);

// The bytes of the model's triangle array, triangleCount records long.
Bytes TriangleBytes(const Model& model);
