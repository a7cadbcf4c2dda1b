// Start-up steps shared by the window program on every platform, the tools and the tests.
#pragma once

#include <string>

#include "scene/scene.h"

// The path of a data file: fileName alone in the working directory (dataDirectory null), else
// dataDirectory/fileName.
std::string DataPath(const char* dataDirectory, const char* fileName);

// Loads the seven model slots in order from dataDirectory (null: the working directory, with
// the plain file names). Each missing or rejected file is named in a warning on stderr, begun
// with the program's name, and its slot stays empty. Returns the number of slots that hold a
// model.
int LoadModelSet(const char* dataDirectory, const char* program = "drav");

// Frees the model in every slot and empties the slots, for tools that release what they load.
void FreeModelSet();

// The level built from the loaded model slots, and the projection its frames use: the last
// steps of every program's start-up.
Scene* BuildWorld();
