// The three still 3-D pictures of the demonstration menu, each framed by the
// button that opens its demonstration. They draw from constants only.
#pragma once

#include "scene/arrow_painter.h"
#include "scene/helix_painter.h"
#include "scene/table_painter.h"

#include "scene/scene_view.h"

// A source, a beam with rings, a crystal and two cones fanning out.
class BellPreview : public SceneView {
public:
    BellPreview(int x, int y, int w, int h) : SceneView(x, y, w, h) {}
    void draw() override;
};

// A source, a slab, two beams, two stations and a double coil between them.
class TeleportPreview : public SceneView {
public:
    TeleportPreview(int x, int y, int w, int h) : SceneView(x, y, w, h) {}
    void draw() override;

private:
    HelixPainter helix;
};

// Polarization arrows, a rotation arrow, a bit table, a sphere and a bit string.
class Bb84Preview : public SceneView {
public:
    Bb84Preview(int x, int y, int w, int h) : SceneView(x, y, w, h) {}
    void draw() override;

private:
    ArrowPainter arrows;
    TablePainter table;
};
