// The description hot spot of an experiment view: the box its red "Description"
// word covers as drawn, so that resting the pointer on the word shows the text
// wherever the window is placed and whatever the view's camera.
#pragma once

class Fl_Gl_Window;

struct PixelBox {
    // Pixels from the view's top-left corner; right and bottom are exclusive.
    int left = 0, top = 0, right = 0, bottom = 0;

    bool contains(int x, int y) const { return left <= x && x < right && top <= y && y < bottom; }
};

// The box of `text` in large text whose raster origin is (0, 0, 0) of the current
// model-view frame, clipped to the view. Call it inside the view's draw, with the
// matrices the text is drawn with.
PixelBox largeTextBox(const Fl_Gl_Window& view, const char* text);

// Whether the pointer's last known screen position lies in `box` of the view,
// unless the pointer has left the view since then.
bool pointerIn(const Fl_Gl_Window& view, const PixelBox& box);

// The pointer left the view (FL_LEAVE) or came back into it. Until it comes back
// or moves on, it counts as outside, though its last known position may still
// lie in the view: another window in front of the view took it there.
void notePointerLeft(const Fl_Gl_Window& view);
void notePointerBack(const Fl_Gl_Window& view);
