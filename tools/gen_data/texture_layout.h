// How the generated textures are divided between the parts of a model.
#pragma once

// A rectangle of texels, inclusive on every side: left..right along u, top..bottom along v.
struct TexelRect {
    int left, top, right, bottom;
};

constexpr TexelRect WholeTexture{0, 0, 63, 63};

// Column, broken pillar and table textures: the main surface in the upper half, a copy of
// the floor tile at half size bottom left (for the floor quad these models carry), and
// details such as plinths, break faces or legs bottom right.
constexpr TexelRect MainRegion{0, 0, 63, 31};
constexpr TexelRect FloorRegion{0, 32, 31, 63};
constexpr TexelRect DetailRegion{32, 32, 63, 63};
