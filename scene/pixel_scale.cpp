// The drawing scale of the current view.
#include "scene/pixel_scale.h"

#include <GL/gl.h>

namespace {

double currentScale = 1.0;

}  // namespace

void setPixelScale(double scale) { currentScale = scale; }

double pixelScale() { return currentScale; }

void sceneLineWidth(float width) {
    glLineWidth(currentScale == 1.0 ? width : static_cast<float>(width * currentScale));
}
