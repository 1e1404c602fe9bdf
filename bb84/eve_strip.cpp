// Drawing of Eve's notebook: per column her basis (in her colour) and
// her bit (white), a dash where she let the photon pass; empty columns where
// the photon has not passed her yet.
#include "bb84/eve_strip.h"

#include "bb84/bb84_view.h"
#include "bb84/key_protocol.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <algorithm>

namespace {

Fl_Color eveColour() {
    return fl_rgb_color(static_cast<uchar>(eveRed * 255), static_cast<uchar>(eveGreen * 255),
                        static_cast<uchar>(eveBlue * 255));
}

}  // namespace

EveStrip::EveStrip(const KeyProtocol& protocol, int x, int y, int w, int h)
    : Fl_Widget(x, y, w, h), protocol(protocol) {
    labelsize(20);
}

void EveStrip::draw() {
    // Without Eve the strip is part of the window's background.
    if (!protocol.eve) {
        fl_rectf(x(), y(), w(), h(), window() ? window()->color() : color());
        return;
    }
    fl_rectf(x(), y(), w(), h(), FL_BLACK);
    // The strip spans the tables' 32 columns, so each entry stands under its
    // column: her basis in her colour, then her bit in white.
    fl_font(FL_HELVETICA_BOLD, labelsize() * 4 / 5);
    const double pitch = w() / static_cast<double>(keyColumns);
    char digit[2] = {0, 0};
    for (int i = 0; i < keyColumns; ++i) {
        const KeyColumnRecord& c = protocol.columns[i];
        const int left = x() + static_cast<int>(i * pitch + 0.5);
        if (c.evePassed) {
            // As wide as her two digits, so that it reads from the back row.
            const int dash = static_cast<int>(pitch / 2);
            const int thick = std::max(2, labelsize() / 8);
            fl_color(eveColour());
            fl_rectf(left + static_cast<int>((pitch - dash) / 2), y() + (h() - thick) / 2, dash, thick);
            continue;
        }
        if (c.eveBase < 0) continue;
        const int half = static_cast<int>(pitch / 2);
        digit[0] = static_cast<char>('0' + c.eveBase);
        fl_color(eveColour());
        fl_draw(digit, left, y(), half, h(), FL_ALIGN_RIGHT);
        digit[0] = static_cast<char>('0' + c.eveBit);
        fl_color(FL_WHITE);
        fl_draw(digit, left + half, y(), half, h(), FL_ALIGN_LEFT);
    }
}
