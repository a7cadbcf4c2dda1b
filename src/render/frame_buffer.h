// The 320x240 frame of 8-bit palette indices that every pixel is drawn into.
#pragma once

#include <cstdint>

constexpr int FrameWidth = 320;
constexpr int FrameHeight = 240;
constexpr int FrameSize = FrameWidth * FrameHeight;

// Top row first, row pitch exactly FrameWidth bytes. Owned by the platform backend (the pixel
// memory of its frame bitmap or surface); tools and tests point it at their own storage.
extern uint8_t* FrameBuffer;
