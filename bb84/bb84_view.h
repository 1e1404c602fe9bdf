// The 3-D scene of the key distribution: stations A and B, the quantum and the
// classical channel, B's analyzer, and what moves in each stage of the run.
#pragma once

#include "scene/arrow_painter.h"
#include "scene/color.h"

#include "scene/scene_view.h"

class ReceiverTableView;

// The column the current stage works on (0..31; 32 once a stage has passed them all).
extern unsigned keyColumn;

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
    int phase = 0;
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

    Bb84View(int x, int y, int w, int h, const char* label = nullptr);

    void setPhase(int n) { phase = n; }
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
    void drawFixedScene();
    void drawLabels();
    // Decides showDescription from the pointer and the red word's place, then
    // draws the word or the text.
    void drawDescription();
    char receiverBase(unsigned column) const;
    char receiverBit(unsigned column) const;
};
