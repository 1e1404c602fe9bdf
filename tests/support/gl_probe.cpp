// GL context, feedback capture and pixel reads for the window tests.
#include "support/gl_probe.h"

#include "scene/scene_setup.h"

#include <FL/Fl.H>
#include <FL/x.H>
#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <chrono>

ProbeWindow::ProbeWindow(int w, int h) : Fl_Gl_Window(w, h, "probe") {
    end();
    show();
    waitFor([this] { return shown() && visible(); });
}

ProbeWindow::~ProbeWindow() { hide(); }

void ProbeWindow::begin() {
    make_current();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-10, 10, -10, 10, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

std::vector<FeedbackItem> captureFeedback(const std::function<void()>& emit, bool withColour) {
    std::vector<GLfloat> buffer(1 << 22);
    const int perVertex = withColour ? 7 : 3;
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), withColour ? GL_3D_COLOR : GL_3D,
                     buffer.data());
    glRenderMode(GL_FEEDBACK);
    emit();
    const GLint used = glRenderMode(GL_RENDER);
    std::vector<FeedbackItem> items;
    for (GLint i = 0; i < used;) {
        FeedbackItem item;
        item.token = static_cast<int>(buffer[i++]);
        int count = 0;
        switch (item.token) {
        case GL_POINT_TOKEN:
        case GL_BITMAP_TOKEN:
        case GL_DRAW_PIXEL_TOKEN:
        case GL_COPY_PIXEL_TOKEN:
            count = 1;
            break;
        case GL_LINE_TOKEN:
        case GL_LINE_RESET_TOKEN:
            count = 2;
            break;
        case GL_POLYGON_TOKEN:
            count = static_cast<int>(buffer[i++]);
            break;
        case GL_PASS_THROUGH_TOKEN:
            ++i;
            break;
        default:
            break;
        }
        for (int v = 0; v < count; ++v, i += perVertex) {
            item.vertices.emplace_back(buffer.begin() + i, buffer.begin() + i + perVertex);
        }
        items.push_back(item);
    }
    return items;
}

int countLines(const std::vector<FeedbackItem>& items) {
    int n = 0;
    for (const auto& item : items) {
        n += item.token == GL_LINE_TOKEN || item.token == GL_LINE_RESET_TOKEN;
    }
    return n;
}

int countPolygons(const std::vector<FeedbackItem>& items) {
    int n = 0;
    for (const auto& item : items) {
        n += item.token == GL_POLYGON_TOKEN;
    }
    return n;
}

Picture readPicture(Fl_Gl_Window& window) {
    window.make_current();
    window.redraw();
    window.flush();
    return readShownPicture(window);
}

Picture readShownPicture(Fl_Gl_Window& window) {
    window.make_current();
    // Mesa's software path keeps the drawn picture in the back buffer after the
    // swap; the front buffer of an X window is not readable there.
    glReadBuffer(GL_BACK);
    glFinish();
    Picture picture;
    picture.width = window.w();
    picture.height = window.h();
    picture.rgb.resize(3 * static_cast<size_t>(picture.width) * picture.height);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, picture.width, picture.height, GL_RGB, GL_UNSIGNED_BYTE, picture.rgb.data());
    return picture;
}

bool isDescriptionRed(Pixel p) { return p.r > 150 && p.g < 80 && p.b < 80; }

PictureBox descriptionWord(const Picture& picture) {
    PictureBox box;
    const int half = picture.width / 2;
    for (int y = picture.height - 1; y >= 0 && box.bottom < 0; --y)
        for (int x = 0; x < half; ++x)
            if (isDescriptionRed(picture.at(x, y))) box.bottom = y;
    if (box.bottom < 0) return box;
    auto redInColumn = [&](int x) {
        for (int y = std::max(0, box.bottom - 26); y <= box.bottom; ++y)
            if (isDescriptionRed(picture.at(x, y))) return true;
        return false;
    };
    for (int x = 0; x < half; ++x) {
        if (!redInColumn(x)) {
            if (box.right >= 0 && x - box.right > 10) break;
            continue;
        }
        box.left = std::min(box.left, x);
        box.right = x;
        for (int y = std::max(0, box.bottom - 26); y <= box.bottom; ++y)
            if (isDescriptionRed(picture.at(x, y))) box.top = std::min(box.top, y);
    }
    return box;
}

Pixel readPixel(Fl_Gl_Window& window, int x, int y) { return readPicture(window).at(x, y); }

ViewPoint projectPoint(Fl_Gl_Window& view, const SceneSetup& setup,
                       const std::function<void()>& frame, float x, float y, float z) {
    view.make_current();
    apply(setup);
    frame();
    GLdouble model[16], projection[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    const GLint viewport[4] = {0, 0, view.w(), view.h()};
    GLdouble wx, wy, wz;
    gluProject(x, y, z, model, projection, viewport, &wx, &wy, &wz);
    return {static_cast<int>(wx), view.h() - 1 - static_cast<int>(wy)};
}

bool waitFor(const std::function<bool()>& done, double seconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        Fl::wait(0.01);
    }
    return true;
}

namespace {

bool drawn(Fl_Window& window) {
    if (!window.shown() || !window.visible() || window.damage()) {
        return false;
    }
    for (int i = 0; i < window.children(); ++i) {
        Fl_Window* child = window.child(i)->as_window();
        if (!child || !child->visible()) continue;
        Fl_Gl_Window* view = child->as_gl_window();
        if (child->damage() || (view && !view->valid())) return false;
    }
    return true;
}

}  // namespace

bool waitUntilDrawn(Fl_Window& window, double seconds) {
    if (!waitFor([&window] { return drawn(window); }, seconds)) {
        return false;
    }
    // Exposures still on their way would redraw the views in the middle of a test.
    XSync(fl_display, False);
    Fl::check();
    return waitFor([&window] { return drawn(window); }, seconds);
}
