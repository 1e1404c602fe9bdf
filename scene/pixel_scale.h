// How many screen pixels the view being drawn has for one pixel of its design.
// What OpenGL measures in pixels (line widths, text) is multiplied by it.
#pragma once

// Set by each view at the start of its draw; 1 unless its window is scaled.
void setPixelScale(double scale);
double pixelScale();

// glLineWidth of a width given in design pixels.
void sceneLineWidth(float width);
