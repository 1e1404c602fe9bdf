// A box whose number always stays inside it: a count that would not fit at the
// box's label size is drawn smaller, with a gap to the box's edges, so that
// neighbouring counters never read as one number.
#pragma once

#include <FL/Fl_Box.H>

class CounterBox : public Fl_Box {
public:
    // Pixels kept free between the text and each side edge of the box.
    static constexpr int sideGap = 5;

    CounterBox(Fl_Boxtype type, int x, int y, int w, int h, const char* label)
        : Fl_Box(type, x, y, w, h, label) {}

    // The size the text is drawn at: the label size when the text fits at it.
    int fittedSize() const;

    void draw() override;
};
