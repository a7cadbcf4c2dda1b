// The warnings on stderr about a model slot's files, each begun with the program's name.
#pragma once

#include "assets/model.h"

// Names each file of the slot that was missing, rejected or suspicious on stderr, one line
// each: a model file that cannot be opened, is not a regular file or is rejected (model is
// null), or that declares more triangles than it holds; a texture file that cannot be opened,
// is not a regular file, is empty or is shorter than a texture.
void WarnAboutModelFiles(const char* program, const char* modelPath, const char* texturePath,
                         const Model* model, const ModelLoadNotes& notes);
