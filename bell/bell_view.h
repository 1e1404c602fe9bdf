// The 3-D picture of the Bell experiment: laser, crystal, emission cones, the
// photon pair, two turnable detectors and the two lamp panels of results, as
// the experiment's run stands.
#pragma once

#include "bell/bell_experiment.h"
#include "scene/arrow_painter.h"
#include "scene/scene_view.h"

#include <cstdint>

class BellView : public SceneView {
public:
    // Whether the scene is lit as usual; the window dims it while Count is lit.
    bool sceneLit = true;
    // Ambient, diffuse and specular grey level of the scene light.
    float lightLevels[3] = {0.1f, 0.6f, 1.0f};
    // Whether the pointer rests on the red word, decided at each draw.
    bool showDescription = false;
    ArrowPainter leftArrow;
    ArrowPainter rightArrow;
    int stippleFactor = 1;
    uint16_t stipplePattern = 0x00FF;

    BellView(int x, int y, int w, int h, const BellExperiment& experiment);

    void applyLightLevels();

    int handle(int event) override;
    void draw() override;

private:
    // Everything the scene shows of the experiment: phase, photons, detectors, lamps.
    const BellExperiment& experiment;

    void drawPhotons();
    void drawHiddenPolarizations();
    void drawLetters();
    void drawLampPanels();
    void drawLaser();
    void drawCrystal();
    void drawCones();
    void drawDetector(float z, int shownSetting);
    // Decides showDescription from the pointer and the red word's place, then
    // draws the word or the text.
    void drawDescription();
};
