// Writing the model and texture files and the contact sheet of the textures.
#pragma once

#include <string>

#include "assets/model.h"
#include "gen_data/mesh.h"

// Writes the model file: header ("HGM!", version 0, triangle count) and the triangles.
bool WriteModelFile(const std::string& path, const Mesh& mesh);
// Writes the 4096 texel bytes.
bool WriteTextureFile(const std::string& path, const Texture& texture);
// Writes the textures side by side through the palette, enlarged four times, with gaps.
bool WriteContactSheet(const std::string& path, const Texture* textures, int count);
