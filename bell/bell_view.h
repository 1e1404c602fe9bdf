// The 3-D picture of the Bell experiment: laser, crystal, emission cones, the
// photon pair, two turnable detectors and the two lamp panels of results.
#pragma once

#include "scene/arrow_painter.h"
#include "scene/color.h"

#include "scene/scene_view.h"

#include <cstdint>

class BellView : public SceneView {
public:
    // Animation phase 1..10 of the current pair; 0 before the first run.
    int phase = 0;
    // Extra turn of each detected photon's arrow: 0 for result +, 90 for result -.
    int leftTurn = 0;
    int rightTurn = 0;
    // Direction index (0 A, 1 B, 2 C) by which each detector is turned, -30 degrees a step.
    int leftShownSetting = 0;
    int rightShownSetting = 0;
    bool showDescription = false;
    bool sceneLit = true;
    // Ambient, diffuse and specular grey level of the scene light.
    float lightLevels[3] = {0.1f, 0.6f, 1.0f};
    // A local pair's photons carry a short rod each from the crystal to the
    // detectors: the left one at `hiddenPolarization` degrees, the right one at
    // right angles to it, turned like the detectors. Each photon answers + where
    // its rod lies within 45 degrees of its detector's + axis.
    bool showHiddenPolarization = false;
    float hiddenPolarization = 0.0f;
    float photonX = -12.0f;
    float photonSpread = 0.0f;
    char leftLetter[2] = "A";
    char rightLetter[2] = "A";
    ArrowPainter leftArrow;
    ArrowPainter rightArrow;
    Color leftPhotonColour;
    Color rightPhotonColour;
    // Lamp = side * 6 + (3 if the result is +) + direction; side 0 left, 1 right.
    Color lamps[12];
    int stippleFactor = 1;
    uint16_t stipplePattern = 0x00FF;

    BellView(int x, int y, int w, int h, const char* label = nullptr);

    void setPhase(int n) { phase = n; }
    void setLeftTurn(bool minus) { leftTurn = minus ? 90 : 0; }
    void setRightTurn(bool minus) { rightTurn = minus ? 90 : 0; }
    // Colours the two photons and their two lamps after the result in `pairCode`
    // (left direction * 100 + right direction * 10 + outcome).
    void lightResultLamps(int pairCode);
    void lampsOff();
    void applyLightLevels();

    int handle(int event) override;
    void draw() override;

    // The colour that a direction (0..2) shows for a result.
    static void resultColour(Color& colour, int direction, bool minus);
    static int lampIndex(int side, int direction, bool minus) {
        return side * 6 + (minus ? 0 : 3) + direction;
    }

private:
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
