// Grid tables hanging down from y = 0: a fixed header column left of x = 0 and
// `columns` data columns to the right, drawn with a thick frame.
#pragma once

class TablePainter {
public:
    unsigned rows = 4;
    unsigned columns = 5;
    float scale = 1.0f;

    // Leaves the frame colour, line width 2.6 and a 0.02 step along z applied.
    void drawTable(unsigned rows, unsigned columns, float size, bool highlight);
};
