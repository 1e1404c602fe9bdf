// The books of the two parties: A's and B's tables of column numbers, bases
// ("k'"), bits ("k"), polarizations ("Pol.") and key bits ("Key"), 32 columns
// each, drawn from the key distribution as it stands.
#pragma once

#include "bb84/key_distribution.h"
#include "scene/arrow_painter.h"
#include "scene/color.h"
#include "scene/scene_view.h"
#include "scene/table_painter.h"

// The mark of a compared column: green where A's and B's bits are equal, red
// where they differ.
Color compareMark(bool differ);

// What both tables share: the rows and their drawing; the party says whose
// cells and polarizations a table shows.
class KeyTableView : public SceneView {
public:
    KeyTableView(const KeyDistribution& model, Party party, int x, int y, int w, int h,
                 const char* label);

    void draw() override;

protected:
    virtual const char* title() const = 0;
    virtual bool highlight() const = 0;

private:
    // State drawn in column i of the polarization row: sent by A, or found by B.
    int stateAt(int i) const;
    void drawPolarizationRow();
    void drawPolarization(int state);
    void drawRow(KeyRow row, float y);
    // A compared key bit is struck through in its mark's colour: it is public
    // now and has left the key.
    void drawStruckKeyBits();

    const KeyDistribution& model;
    const Party party;
    ArrowPainter arrow;
    TablePainter grid;
};

class SenderTableView : public KeyTableView {
public:
    SenderTableView(const KeyDistribution& model, int x, int y, int w, int h,
                    const char* label = nullptr)
        : KeyTableView(model, Party::sender, x, y, w, h, label) {}

protected:
    const char* title() const override { return "A"; }
    bool highlight() const override { return false; }
};

class ReceiverTableView : public KeyTableView {
public:
    ReceiverTableView(const KeyDistribution& model, int x, int y, int w, int h,
                      const char* label = nullptr)
        : KeyTableView(model, Party::receiver, x, y, w, h, label) {}

protected:
    const char* title() const override { return "B"; }
    bool highlight() const override { return true; }
};

// Raster x of each column's character, and of the two-digit numbers 10..32.
extern const float cellX[keyColumns];
extern const float twoDigitX[keyColumns - 9];
