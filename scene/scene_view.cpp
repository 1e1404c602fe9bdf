// Per-draw set-up shared by the views: viewport and drawing scale.
#include "scene/scene_view.h"

#include "scene/caption_band.h"
#include "scene/gl_support.h"
#include "scene/glyph_atlas.h"
#include "scene/pixel_scale.h"

#include <GL/gl.h>

SceneView::SceneView(int x, int y, int w, int h, const char* label)
    : Fl_Gl_Window(x, y, w, h, label), designWidth(w) {}

SceneView::~SceneView() { SceneView::hide(); }

void SceneView::hide() {
    if (shown() && context()) {
        make_current();
        releaseGlyphsOfCurrentContext();
    }
    Fl_Gl_Window::hide();
}

double SceneView::scale() const {
    return designWidth > 0 && w() != designWidth ? static_cast<double>(w()) / designWidth : 1.0;
}

void SceneView::beginDraw() {
    if (!context_valid()) {
        // A context made anew may reuse an old one's address: its glyphs are gone.
        forgetGlyphsOfCurrentContext();
    }
    if (!valid()) {
        requestVsync();
        // The context keeps the viewport of its first size until told otherwise.
        glViewport(0, 0, pixel_w(), pixel_h());
    }
    setPixelScale(scale());
}

void SceneView::showCaption(const LessonCaption& caption, const char* hint) {
    shownCaption = caption;
    captionHint = hint;
    redraw();
}

void SceneView::clearCaption() {
    if (shownCaption.text) {
        shownCaption = {};
        redraw();
    }
}

void SceneView::drawCaption() {
    if (shownCaption.text) {
        drawCaptionBand(shownCaption, captionHint, scale());
    }
}
