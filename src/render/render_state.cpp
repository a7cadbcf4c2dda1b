#include "render/render_state.h"

#include "render/frame_buffer.h"

uint8_t* FrameBuffer = nullptr;
Mat4 ProjectionMatrix;
Mat4 ViewMatrix;
Mat4 WorldMatrix;
Mat4 ModelViewMatrix;
const Texture* CurrentTexture = nullptr;
uint32_t DrawnModelCount = 0;
