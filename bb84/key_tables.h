// The books of the two parties: A's and B's tables of column numbers, bases
// ("k'"), bits ("k"), polarizations ("Pol.") and key bits ("Key"), 32 columns each.
#pragma once

#include "bb84/key_protocol.h"
#include "scene/arrow_painter.h"
#include "scene/color.h"
#include "scene/table_painter.h"

#include "scene/scene_view.h"

#include <functional>

class Bb84View;
class RandomSource;
class SenderTableView;

struct KeyCell {
    char symbol = ' ';
    Color colour;
};

// The mark of a compared column: green where A's and B's bits are equal, red
// where they differ.
Color compareMark(bool differ);

// Decimal text of the last integer draw, kept in the source's valueText.
void formatValueText(RandomSource& random);

// What both tables share: the rows, their drawing, and the base and bit rows the
// run fills. `stopRequested` is the run's abort test (Return held, window gone).
class KeyTableView : public SceneView {
public:
    KeyCell numbers[keyColumns];
    KeyCell bits[keyColumns];
    KeyCell bases[keyColumns];
    KeyCell key[keyColumns];

    // The 3-D view and the sender's table of the same window: the phase and the
    // drawing style come from the view, the shown column and the key drop from
    // table A. Set by the window when it builds its views.
    Bb84View* scene = nullptr;
    SenderTableView* sender = nullptr;
    // The window's protocol: the error check's marks are drawn from it.
    const KeyProtocol* protocol = nullptr;

    KeyTableView(int x, int y, int w, int h, const char* label);

    char baseSymbol(int i) const { return bases[i].symbol; }
    char bitSymbol(int i) const { return bits[i].symbol; }
    // Every key symbol becomes the bit symbol of its column; then one frame step.
    void copyBitsToKey();

    void draw() override;

protected:
    // Draws once, then per column: stop test, the draw's digit into the base row,
    // one frame step of this table, another draw (33 draws for 32 bases).
    void fillBases(RandomSource& random, const std::function<bool()>& stopRequested);
    void frameStepOfThis();

    virtual const char* title() const = 0;
    virtual bool highlight() const = 0;
    // State drawn in column i of the polarization row.
    virtual int stateAt(int i) const = 0;
    // Table A hands the colour of each state it draws to the flying photon.
    virtual void handOverColour(const Color&) {}

private:
    void drawPolarizationRow();
    void drawPolarization(int state);
    // A compared key bit is struck through in its mark's colour: it is public
    // now and has left the key.
    void drawStruckKeyBits();

    ArrowPainter arrow;
    TablePainter grid;
};

class SenderTableView : public KeyTableView {
public:
    int currentIndex = 0;
    int shownIndex = -1;
    int sentStates[keyColumns];
    // Both tables drop their key rows by this offset.
    float keyDrop = 0;

    SenderTableView(int x, int y, int w, int h, const char* label = nullptr);

    void fillSenderBases(RandomSource& random, const std::function<bool()>& stopRequested) {
        fillBases(random, stopRequested);
    }
    // The last draw's digit into column `column` of the bit row; one frame step.
    void recordSenderBit(RandomSource& random, int column);

protected:
    const char* title() const override { return "A"; }
    bool highlight() const override { return false; }
    int stateAt(int i) const override { return sentStates[i]; }
    void handOverColour(const Color& colour) override;
};

class ReceiverTableView : public KeyTableView {
public:
    // Unmeasured columns hold -1 and draw nothing.
    int receivedStates[keyColumns];

    ReceiverTableView(int x, int y, int w, int h, const char* label = nullptr);

    void fillReceiverBases(RandomSource& random, const std::function<bool()>& stopRequested) {
        fillBases(random, stopRequested);
    }
    // The last draw's digit into column `column` of the bit row, then one event
    // pass without a redraw.
    void recordReceiverBit(RandomSource& random, int column);

protected:
    const char* title() const override { return "B"; }
    bool highlight() const override { return true; }
    int stateAt(int i) const override { return receivedStates[i]; }
};

// Raster x of each column's character, and of the two-digit numbers 10..32.
extern const float cellX[keyColumns];
extern const float twoDigitX[keyColumns - 9];
