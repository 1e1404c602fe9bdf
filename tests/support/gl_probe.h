// Helpers for window tests: a shown GL window whose context a test can make
// current, GL feedback capture of what a painter emits, and pixel reads.
#pragma once

#include <FL/Fl_Gl_Window.H>

#include <functional>
#include <vector>

// A plain GL window, shown and flushed, for running painters in a real context.
class ProbeWindow : public Fl_Gl_Window {
public:
    ProbeWindow(int w = 200, int h = 200);
    ~ProbeWindow() override;
    void draw() override {}
    // Makes the context current with identity matrices and an orthographic box
    // of -10..10 on every axis.
    void begin();
};

// One primitive captured in GL feedback mode.
struct FeedbackItem {
    int token;  // GL_POINT_TOKEN, GL_LINE_TOKEN, GL_LINE_RESET_TOKEN, GL_POLYGON_TOKEN, ...
    // Per vertex window x, y, z, and with colour also the lit r, g, b, a.
    std::vector<std::vector<float>> vertices;
};

// Runs `emit` in feedback mode (GL_3D, or GL_3D_COLOR with `withColour`) and
// returns what reached the rasterizer.
std::vector<FeedbackItem> captureFeedback(const std::function<void()>& emit, bool withColour = false);

// Counts of line segments and polygons in a capture.
int countLines(const std::vector<FeedbackItem>& items);
int countPolygons(const std::vector<FeedbackItem>& items);

// Draws the window now (as the event loop would) and reads one pixel of its front
// buffer, with y measured from the window's top edge like FLTK's coordinates.
struct Pixel {
    int r, g, b;
};
Pixel readPixel(Fl_Gl_Window& window, int x, int y);

// The whole picture after one draw, rows from the window's top edge.
struct Picture {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;  // 3 bytes per pixel
    Pixel at(int x, int y) const {
        const size_t i = 3 * (static_cast<size_t>(height - 1 - y) * width + x);
        return {rgb[i], rgb[i + 1], rgb[i + 2]};
    }
};
Picture readPicture(Fl_Gl_Window& window);
// The picture the window showed at its last draw, without drawing it again.
Picture readShownPicture(Fl_Gl_Window& window);

// Pixels of a picture, bounds included; empty while right < 0.
struct PictureBox {
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
};
// The red of a demonstration's "Description" word.
bool isDescriptionRed(Pixel p);
// The red word: the lowest red object at the view's left, letter after letter
// from its first one (the scenes have red parts above and to the right of it).
PictureBox descriptionWord(const Picture& picture);

// Where a point of a view's scene lands, in view pixels with y from the top: the
// view's set-up, then the transformations `frame` applies after the camera.
struct SceneSetup;
struct ViewPoint {
    int x, y;
};
ViewPoint projectPoint(Fl_Gl_Window& view, const SceneSetup& setup,
                       const std::function<void()>& frame, float x, float y, float z);

// Pumps the event loop until `done` holds or `seconds` pass; returns `done()`.
// The deadline only bounds a failing test: a loaded machine, or one under the
// sanitizers, may take many times longer than a quiet one.
bool waitFor(const std::function<bool()>& done, double seconds = 20.0);

// Waits until a shown window and its GL views have drawn and every event the
// server sent about them so far (its exposures) has been served.
bool waitUntilDrawn(Fl_Window& window, double seconds = 20.0);
