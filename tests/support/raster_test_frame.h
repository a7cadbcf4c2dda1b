// Test scaffolding for the rasteriser and triangle setup: a frame buffer with guard bytes on
// both sides, textures and fog tables whose output tells which texel or shade was read.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "assets/model.h"
#include "render/frame_buffer.h"
#include "render/palette.h"
#include "render/raster.h"
#include "render/render_state.h"
#include "render/renderer.h"

// Value of every pixel the code under test has not written; the fog tables below never
// produce it.
constexpr uint8_t Untouched = 0xFF;

// A scale-1 frame drawn by one worker into memory with guard bytes before and after the 76800
// frame bytes, so that writes just outside the frame are seen.
class GuardedFrame {
  public:
    static constexpr int GuardBytes = 4096;

    GuardedFrame()
        : bytes_(FrameSize + 2 * GuardBytes, Untouched),
          renderer_(CreateRenderer(1, 1, bytes_.data() + GuardBytes, FrameWidth)) {}
    GuardedFrame(const GuardedFrame&) = delete;
    GuardedFrame& operator=(const GuardedFrame&) = delete;

    // The worker that draws the whole frame, and the frame's pixels.
    WorkerState& Worker() { return WholeFrameWorker(*renderer_); }
    Renderer& FrameRenderer() { return *renderer_; }
    uint8_t* Pixels() { return bytes_.data() + GuardBytes; }
    const uint8_t* Pixels() const { return bytes_.data() + GuardBytes; }

    uint8_t At(int x, int y) const { return Pixels()[y * FrameWidth + x]; }
    bool Written(int x, int y) const { return At(x, y) != Untouched; }
    void Clear() { std::memset(Pixels(), Untouched, FrameSize); }

    // Number of frame pixels that hold something other than Untouched.
    int WrittenCount() const {
        int count = 0;
        for (int i = 0; i < FrameSize; ++i) {
            count += Pixels()[i] != Untouched;
        }
        return count;
    }

    // True when no byte before or after the frame was written.
    bool GuardsIntact() const {
        for (int i = 0; i < GuardBytes; ++i) {
            if (bytes_[i] != Untouched || bytes_[GuardBytes + FrameSize + i] != Untouched) {
                return false;
            }
        }
        return true;
    }

    // The first and last written column of a row, or {-1, -1} when none is written, and
    // whether the written pixels are one unbroken run.
    struct RowExtent {
        int first = -1;
        int last = -1;
        bool contiguous = true;
    };
    RowExtent Extent(int y) const {
        RowExtent extent;
        for (int x = 0; x < FrameWidth; ++x) {
            if (!Written(x, y)) {
                continue;
            }
            if (extent.first >= 0 && extent.last != x - 1) {
                extent.contiguous = false;
            }
            if (extent.first < 0) {
                extent.first = x;
            }
            extent.last = x;
        }
        return extent;
    }

  private:
    std::vector<uint8_t> bytes_;
    std::unique_ptr<Renderer> renderer_;
};

// Texture whose texel at (row t, column c) is c: the drawn value is the texture column.
inline Texture ColumnTexture() {
    Texture texture{};
    for (int i = 0; i < TextureBytes; ++i) {
        texture.texels[i] = static_cast<uint8_t>(i % TextureSide);
    }
    return texture;
}

// Texture whose texel at (row t, column c) is t: the drawn value is the texture row.
inline Texture RowTexture() {
    Texture texture{};
    for (int i = 0; i < TextureBytes; ++i) {
        texture.texels[i] = static_cast<uint8_t>(i / TextureSide);
    }
    return texture;
}

// Every shade draws the texel itself (the textures above never hold Untouched).
inline void FogPassesTexel() {
    for (int i = 0; i < FogTableSize; ++i) {
        FogTable[i] = static_cast<uint8_t>(i % PaletteSize);
    }
}

// Every texel is drawn as the number of the fog row read. Shade 255 then looks like Untouched,
// so tests that use this table check coverage with the one above.
inline void FogShowsShade() {
    for (int i = 0; i < FogTableSize; ++i) {
        FogTable[i] = static_cast<uint8_t>(i / PaletteSize);
    }
}

// A model vertex at (x, y, z) with texture coordinates (u, v).
inline ModelVertex At(float x, float y, float z, float u = 0.0f, float v = 0.0f) {
    ModelVertex vertex{};
    vertex.x = x;
    vertex.y = y;
    vertex.z = z;
    vertex.u = u;
    vertex.v = v;
    return vertex;
}

inline ScreenVertex Vertex(int x, int y, int u = 0, int v = 0, int shade = 255) {
    ScreenVertex vertex{};
    vertex.x = x;
    vertex.y = y;
    vertex.u = static_cast<uint8_t>(u);
    vertex.v = static_cast<uint8_t>(v);
    vertex.shade = static_cast<uint8_t>(shade);
    return vertex;
}

// Fixture for drawing tests: a guarded frame, a column texture as the worker's texture and a
// fog table that passes texels through; checks the guard bytes after every test.
class GuardedDrawingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        frame_.Worker().currentTexture = &texture_;
        FogPassesTexel();
    }
    void TearDown() override { EXPECT_TRUE(frame_.GuardsIntact()); }
    WorkerState& worker() { return frame_.Worker(); }

    Texture texture_ = ColumnTexture();
    GuardedFrame frame_;
};
