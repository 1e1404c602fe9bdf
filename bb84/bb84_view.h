// The 3-D scene of the key distribution: stations A and B, the quantum and the
// classical channel, B's analyzer, and what moves in each stage of the run.
#pragma once

#include "bb84/key_distribution.h"
#include "scene/arrow_painter.h"
#include "scene/scene_view.h"

// Eve's own colour, apart from the stations', the photons' and the marks'.
constexpr float eveRed = 0.55f, eveGreen = 0.5f, eveBlue = 1.0f;
// The counting run's bars: 100 % is this long (400 pixels at scale 1), in the
// view's own -10..10 x -5..5 frame.
constexpr float totalsLeft = -6.5f;
constexpr float shareBarLength = 9.2f;
constexpr float shareBarHeight = 0.35f;
constexpr float keptBarTop = -2.3f;
constexpr float errorBarTop = -3.1f;
// The "Eve listens" slider: her share of the photons in stops of 5 %.
constexpr int eveShareStops = 20;

// A double arrow along x, 3 long, with barbs at both ends.
void drawAnalyzerArrow();
// An arc of radius R from -160 to 68 degrees with its head at the end that tells the
// bit: the -160-degree end (clockwise) for "0", the 68-degree end otherwise.
void drawResultArc(float radius, char bit);

// The 1-based column number of a column as it flies: tens digit (none below 10).
const char* tensDigit(unsigned column);
const char* unitsDigit(unsigned column);

class Bb84View : public SceneView {
public:
    bool showDescription = false;
    // The pointer relative to the top-level window at the last draw.
    int pointerX = 0;
    int pointerY = 0;

    Bb84View(const KeyDistribution& model, int x, int y, int w, int h,
             const char* label = nullptr);

    void draw() override;
    // Every event the base class uses redraws the view, so pointer motion keeps
    // the description hot spot live. Pointer events are all taken; keys only when
    // used, so that Escape still reaches the window.
    int handle(int event) override;

    // Eve's share of the photons as the scene's slider stands, 0 to 1: what
    // the next run reads at Start.
    double eveShare() const { return shareStop / double(eveShareStops); }
    // Moves the slider to the stop nearest `share`, as a click or a drag on it
    // does; false while a run holds the slider.
    bool setEveShare(double share);
    // The - and + keys: `stops` stops up or down, while Eve's light is on.
    bool stepEveShare(int stops);
    // A run keeps the share it started with: the slider is greyed out and
    // ignores the pointer and the keys until the run ends.
    void lockEveShare(bool locked);

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
    void drawEveTotals();
    void drawEveShareSlider();
    void drawEveExpectations();
    // Whether a pointer at view pixel (x, y) lies on the slider, and the share
    // the track gives at x.
    bool onShareSlider(int x, int y) const;
    double shareAtPixel(int x) const;
    void drawShareBar(double percent, float top, float r, float g, float b, const char* label);
    // A text line whose raster is placed in the view's own -10..10 x -5..5 frame,
    // unturned by the camera.
    void drawFlatText(float x, float y, const char* text);
    void drawFlatHelvetica(float x, float y, const char* text);
    void drawFlat(float x, float y, const char* text, void (*font)(float, float, const char*));
    void drawFixedScene();
    void drawLabels();
    // Decides showDescription from the pointer and the red word's place, then
    // draws the word or the text.
    void drawDescription();
    // B's base and bit as his book shows them in a column (blank past the last).
    char receiverBase(unsigned column) const;
    char receiverBit(unsigned column) const;

    const KeyDistribution& model;
    const KeyProtocol& protocol;
    ArrowPainter photonArrow;
    int shareStop = eveShareStops;
    bool shareLocked = false;
    bool draggingShare = false;
};
