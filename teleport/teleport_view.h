// The teleportation scene: a table-top with the pump laser, crystal, mirrors,
// Alice's and Bob's stations, the channel, the polarizer and the legend, plus the
// moving parts of the run's current phase. Runs write the fields; draw shows them.
#pragma once

#include "scene/arrow_painter.h"
#include "scene/color.h"
#include "scene/dial_painter.h"
#include "scene/helix_painter.h"
#include "teleport/teleport_protocol.h"

#include "scene/scene_view.h"

class TeleportWindow;

class TeleportView : public SceneView {
public:
    // The dial's rest angle, left of the "0" setting.
    static constexpr int needleRest = 48;

    bool showDescription = false;
    const char* messageText = "";
    int phase = 1;
    int needleTarget = needleRest;
    int needleAngle = needleRest;
    float pumpX = -0.2f;
    float pumpZ = 9.3f;
    float photon2X = 0, photon2Z = 0;
    float photon3X = 0, photon3Z = 0;
    float photon1X = 0, photon1Z = 0;
    float photon4X = 0, photon4Z = 0;
    float outputZ = 0;
    float messageX = 0, messageY = 0, messageZ = 0;
    float helixExtent = 0;
    float helixTwist = 0;
    ArrowPainter outputArrow;
    Color legendColour;
    // 0..3 Alice's result lamps, 4 the classical channel, 5 Bob's receiver lamp.
    Color lampColours[6];
    DialPainter polarizer;
    HelixPainter helix;
    // What the current or last run decided: input, Alice's result, message, Bob's
    // operation, output. Polarizer, legend, lamps, dial and output arrow show it.
    TeleportFacts facts;
    // The Repeat mode's totals, shown beside the crystal from a tally's Start
    // until the next animated run begins.
    TeleportTally tally;
    bool showTally = false;
    // The window this view belongs to; the registry's current one when unset.
    TeleportWindow* owner = nullptr;

    TeleportView(int x, int y, int w, int h, const char* label = nullptr);

    void setPhase(int n) { phase = n; }
    void resetNeedle() { needleAngle = needleRest; }
    void turnNeedle() { needleAngle = needleTarget; }
    void growHelix(float d) { helixExtent = helixExtent + d; }
    void twistHelix(float d) { helixTwist = helixTwist + d; }
    // Lights Alice's lamp r (gold) and aims the dial at Bob's operation: the
    // setting that undoes her result, or the rest angle when he got no message.
    void lightOutcomeLamp();

    // The input polarization index p shown by polarizer, legend and output arrow.
    int polarizationIndex() const;

    void draw() override;
    int handle(int event) override;

private:
    TeleportWindow* ownerWindow() const;
    bool startActive() const;
    // Message unlit: the description adds what Bob is left with.
    bool messageWithheld() const;
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
};
