// The stone textures: floor flagstones, wall courses, the column and the broken pillar.
#include <algorithm>

#include "gen_data/materials.h"
#include "gen_data/textures.h"

namespace {

constexpr int JointWidth = 2;

// A texel of a stone block whose top-left joint starts at (0, 0): dark joints along the top
// and left, a lit upper-left edge and a shaded lower-right edge so the blocks stand out.
Rgb BlockTexel(const Rgb& stone, const Rgb& joint, int x, int y, int width, int height) {
    if (x < JointWidth || y < JointWidth) {
        return joint;
    }
    if (x == JointWidth || y == JointWidth) {
        return Brightened(stone, 30);
    }
    if (x == width - 1 || y == height - 1) {
        return Brightened(stone, -40);
    }
    return stone;
}

// The colour varied by smooth blotches (+-20) and fine grain (+-8).
Rgb Weathered(const Rgb& colour, int x, int y, uint32_t seed) {
    const int blotch = Noise(x, y, 8, seed) * 40 / 255 - 20;
    const int grain = static_cast<int>(Hash(x, y, seed + 1) % 17) - 8;
    return Brightened(colour, blotch + grain);
}

// Pale stone cut in a square with a carved line inset from its edges.
void PaintCarvedStone(Image& image, const TexelRect& rect, const Rgb& stone, uint32_t seed) {
    for (int y = rect.top; y <= rect.bottom; ++y) {
        for (int x = rect.left; x <= rect.right; ++x) {
            const int inset = std::min(std::min(x - rect.left, rect.right - x),
                                       std::min(y - rect.top, rect.bottom - y));
            const int shade = inset == 0 ? -50 : inset == 4 ? -60 : inset == 5 ? 25 : 0;
            image.at(x, y) = Brightened(Weathered(stone, x, y, seed), shade);
        }
    }
}

// A crack running down from (x, top) for length rows, wandering left and right.
void PaintCrack(Image& image, int x, int top, int length, uint32_t seed) {
    const Rgb crack = {50, 50, 50};
    for (int y = top; y < top + length && y <= MainRegion.bottom; ++y) {
        image.at((x + TextureSide) % TextureSide, y) = crack;
        x += static_cast<int>(Hash(x, y, seed) % 3) - 1;
    }
}

} // namespace

void PaintFloorRegion(Image& image) {
    Image floor;
    PaintFloorTile(floor);
    CopyHalfSize(floor, image, FloorRegion);
}

void PaintFloorTile(Image& image) {
    // The tiles' colour paled by 15 to 30 percent of light grey.
    const Rgb tile = MaterialColour(FloorTiles);
    const Rgb pale = {210, 210, 210};
    const Rgb stones[4] = {Mixed(tile, pale, 25), Mixed(tile, pale, 30), Mixed(tile, pale, 15),
                           Mixed(tile, pale, 20)};
    const Rgb joint = {40, 40, 40};
    constexpr int StoneSide = 32;
    for (int y = 0; y < TextureSide; ++y) {
        for (int x = 0; x < TextureSide; ++x) {
            const Rgb stone = stones[Hash(x / StoneSide, y / StoneSide, 11) % 4];
            image.at(x, y) = BlockTexel(Weathered(stone, x, y, 12), joint, x % StoneSide,
                                        y % StoneSide, StoneSide, StoneSide);
        }
    }
}

void PaintWall(Image& image) {
    constexpr int CourseHeight = 16;
    constexpr int BlockWidth = 32;
    const Rgb joint = {44, 44, 44};
    for (int y = 0; y < TextureSide; ++y) {
        const int course = y / CourseHeight;
        const int shifted = course % 2 == 0 ? 0 : BlockWidth / 2;
        for (int x = 0; x < TextureSide; ++x) {
            const int block = (x + shifted) % TextureSide / BlockWidth;
            const int grey = 118 + static_cast<int>(Hash(block, course, 21) % 48);
            const Rgb stone = Weathered({grey, grey, grey}, x, y, 22);
            image.at(x, y) = BlockTexel(stone, joint, (x + shifted) % BlockWidth, y % CourseHeight,
                                        BlockWidth, CourseHeight);
        }
    }
}

void PaintColumn(Image& image) {
    const Rgb marble = {208, 208, 208};
    // Sixteen flutes, each lit from the left: shaded, rising, bright, falling.
    const int fluteShading[4] = {-50, -15, 15, 0};
    for (int y = MainRegion.top; y <= MainRegion.bottom; ++y) {
        const bool drumJoint = y == 11 || y == 22;
        for (int x = MainRegion.left; x <= MainRegion.right; ++x) {
            const int shade = drumJoint ? -60 : fluteShading[x % 4];
            image.at(x, y) = Brightened(Weathered(marble, x, y, 31), shade);
        }
    }
    PaintCarvedStone(image, DetailRegion, marble, 32);
    PaintFloorRegion(image);
}

void PaintBrokenPillar(Image& image) {
    const Rgb stone = {150, 150, 150};
    const Rgb moss = MaterialColour(Moss);
    for (int y = MainRegion.top; y <= MainRegion.bottom; ++y) {
        for (int x = MainRegion.left; x <= MainRegion.right; ++x) {
            // Moss creeps up from the foot of the pillar (the bottom rows).
            const int mossCover = Noise(x, y, 8, 41) + 8 * y - 300;
            const Rgb surface =
                mossCover > 0 ? Mixed(stone, moss, std::min(mossCover, 100)) : stone;
            image.at(x, y) = Weathered(surface, x, y, 42);
        }
    }
    PaintCrack(image, 9, 0, 20, 43);
    PaintCrack(image, 30, 0, 13, 44);
    PaintCrack(image, 47, 2, 24, 45);
    PaintCrack(image, 58, 0, 9, 46);
    PaintCarvedStone(image, DetailRegion, {190, 190, 190}, 47);
    PaintFloorRegion(image);
}
