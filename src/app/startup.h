// Start-up steps shared by the demo on every platform, the tools and the tests.
#pragma once

// BuildPalette into Palette, then BuildFogTable from it.
void BuildColourTables();

// Loads the seven model slots in order from dataDirectory (null: the working directory, with
// the plain file names). Each missing or rejected file is named in a warning on stderr and its
// slot stays empty. Returns the number of slots that hold a model.
int LoadModelSet(const char* dataDirectory);

// Frees the model in every slot and empties the slots, for tools that release what they load.
void FreeModelSet();

// The perspective projection: 50 degrees vertical, aspect 640/480, near 0.25, far 15.
void FillProjectionMatrix();
