// Counters that shrink their text only when it would not fit.
#include "bell/counter_box.h"

#include <FL/fl_draw.H>

int CounterBox::fittedSize() const {
    const char* text = label();
    int size = labelsize();
    if (!text || !*text) {
        return size;
    }
    const int room = w() - 2 * sideGap;
    for (; size > 8; --size) {
        fl_font(labelfont(), size);
        if (fl_width(text) <= room) {
            break;
        }
    }
    return size;
}

void CounterBox::draw() {
    // The label size stays the full one; only this drawing uses the fitted size.
    const int full = labelsize();
    labelsize(fittedSize());
    Fl_Box::draw();
    labelsize(full);
}
