#include "render/render_state.h"

Mat4 ProjectionMatrix;
