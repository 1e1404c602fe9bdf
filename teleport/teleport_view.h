// The teleportation scene: a table-top with the pump laser, crystal, mirrors,
// Alice's and Bob's stations, the channel, the polarizer and the legend, plus the
// moving parts of the run's current phase, all drawn from the experiment, which
// the view only reads.
#pragma once

#include "scene/arrow_painter.h"
#include "scene/color.h"
#include "scene/dial_painter.h"
#include "scene/helix_painter.h"
#include "teleport/teleport_experiment.h"

#include "scene/scene_view.h"

class TeleportView : public SceneView {
public:
    bool showDescription = false;
    // Screen position of the pointer at the view's last draw.
    int pointerX = 0;
    int pointerY = 0;
    ArrowPainter outputArrow;
    Color legendColour;
    DialPainter polarizer;
    HelixPainter helix;

    TeleportView(int x, int y, int w, int h, const TeleportExperiment& experiment);

    void draw() override;
    int handle(int event) override;

private:
    // Alice's result lamps 0..3, 4 the classical channel, 5 Bob's receiver lamp:
    // each lit while the run is at the point where it shows something.
    Color lampColour(int k) const;
    void drawMovingParts();
    void drawPhoton(int k, float x, float z);
    void drawHelixPair();
    void drawOutputArrow();
    void drawFixedScene();
    void drawChannel();
    // Message withheld: a red cross over the cut and Bob's dial marked unset.
    void drawCut();
    void drawLegend();
    void drawTally();
    // Decides showDescription from the pointer and the red word's place, then
    // draws the word or the text.
    void drawDescription();

    const TeleportExperiment& model;
};
