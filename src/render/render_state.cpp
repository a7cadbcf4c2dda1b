#include "render/render_state.h"

Mat4 ProjectionMatrix;

void FillProjectionMatrix() {
    SetPerspective(ProjectionMatrix, 0.87266463f, 640.0f / 480.0f, 0.25f, 15.0f);
}
