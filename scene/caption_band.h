// Lesson mode's caption drawn over a scene: a dark band along its top or bottom
// edge with the caption's lines centred in it, large enough to read from the
// back of a classroom.
#pragma once

#include "scene/lesson_caption.h"

// The caption's text size at a view's design size, in pixels: as large as the
// Bell window's row captions.
constexpr int kCaptionTextSize = 28;

// Draws `caption` over the whole current viewport of a view shown `scale`
// times its design size, with `hint` (if any) small in the band's corner. The
// band keeps the hint's row either way, so that it does not jump. The GL state
// is left as it was found.
void drawCaptionBand(const LessonCaption& caption, const char* hint, double scale);
