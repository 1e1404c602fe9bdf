// The 3-D scene of the key distribution: stations A and B, the quantum and the
// classical channel, B's analyzer, and what moves in each stage of the run.
#pragma once

#include "bb84/key_protocol.h"
#include "scene/arrow_painter.h"
#include "scene/color.h"

#include "scene/scene_view.h"

class ReceiverTableView;

// Where Eve's station stands on the quantum channel: halfway between A and B.
constexpr float eveStationX = -2.4f;
// Eve's own colour, apart from the stations', the photons' and the marks'.
constexpr float eveRed = 0.55f, eveGreen = 0.5f, eveBlue = 1.0f;
// The counting run's bars: 100 % is this long (400 pixels at scale 1), in the
// view's own -10..10 x -5..5 frame.
constexpr float totalsLeft = -6.5f;
constexpr float shareBarLength = 9.2f;
constexpr float shareBarHeight = 0.35f;
constexpr float keptBarTop = -2.3f;
constexpr float errorBarTop = -3.1f;

// The colour a photon of a polarization state flies in (red, yellow, cyan, green).
Color photonColour(int state);

// One character of large text at (x, y) of the current model frame.
void drawChar(float x, float y, char ch);
// A double arrow along x, 3 long, with barbs at both ends.
void drawAnalyzerArrow();
// An arc of radius R from -160 to 68 degrees with its head at the end that tells the
// bit: the -160-degree end (clockwise) for "0", the 68-degree end otherwise.
void drawResultArc(float radius, char bit);

// The 1-based column number of a column as it flies: tens digit (none below 10).
const char* tensDigit(unsigned column);
const char* unitsDigit(unsigned column);

// What B's analyzer found for the photon in flight.
struct Detection {
    bool detected = false;
    bool diagonalResult = false;
    int analyzerAngle = 0;
    Color resultColour;
};

class Bb84View : public SceneView {
public:
    bool linearDiagonal = true;
    bool showDescription = false;
    // The stage of the run: the protocol's own, which the run sets through here.
    KeyPhase& phase;
    int sentState = -1;
    int pulseAngle = 270;
    float lampLevel = 0.4f;
    float generationTime = 0;
    float photonX = 0;
    float spinAngle = 0;
    ArrowPainter photonArrow;
    Detection detection;

    // The receiver's table of the same window: the flying base digit and the
    // result arc show its symbols. Set by the window when it builds its views.
    ReceiverTableView* receiver = nullptr;

    // The protocol is the window's; the view draws from it and never writes it
    // but for the phase, which the run sets through the view.
    Bb84View(KeyProtocol& protocol, int x, int y, int w, int h, const char* label = nullptr);

    void setPhase(int n) { phase = static_cast<KeyPhase>(n); }
    void draw() override;
    // Every event the base class uses redraws the view, so pointer motion keeps
    // the description hot spot live. Pointer events are all taken; keys only when
    // used, so that Escape still reaches the window.
    int handle(int event) override;

private:
    void notePointer();
    void drawLegend();
    void drawGenerating();
    void drawPhoton();
    void drawAnalyzer();
    void drawBaseDigit();
    void drawColumnNumber();
    void drawCheckedBit();
    void drawEveStation();
    void drawCheckReadout();
    void drawTotals();
    void drawShareBar(double percent, float top, float r, float g, float b, const char* label);
    // A text line whose raster is placed in the view's own -10..10 x -5..5 frame,
    // unturned by the camera.
    void drawFlatText(float x, float y, const char* text);
    void drawFixedScene();
    void drawLabels();
    // Decides showDescription from the pointer and the red word's place, then
    // draws the word or the text.
    void drawDescription();
    char receiverBase(unsigned column) const;
    char receiverBit(unsigned column) const;

    const KeyProtocol& protocol;
};
