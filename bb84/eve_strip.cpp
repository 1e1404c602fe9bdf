// Drawing of Eve's notebook: "E", then per column her basis (in her colour) and
// her bit (white); empty columns where the photon has not passed her yet.
#include "bb84/eve_strip.h"

#include "bb84/bb84_view.h"
#include "bb84/key_protocol.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

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
    const int size = labelsize();
    fl_font(FL_TIMES_BOLD, size);
    const int label = h() * 4 / 5;
    fl_color(eveColour());
    fl_draw("E", x() + size / 4, y(), label, h(), FL_ALIGN_LEFT);

    fl_font(FL_HELVETICA_BOLD, size * 4 / 5);
    const int left = x() + label;
    const int pitch = (w() - label) / keyColumns;
    char digit[2] = {0, 0};
    for (int i = 0; i < keyColumns; ++i) {
        const KeyColumnRecord& c = protocol.columns[i];
        if (c.eveBase < 0) continue;
        const int cx = left + i * pitch;
        digit[0] = static_cast<char>('0' + c.eveBase);
        fl_color(eveColour());
        fl_draw(digit, cx, y(), pitch / 2, h(), FL_ALIGN_RIGHT);
        digit[0] = static_cast<char>('0' + c.eveBit);
        fl_color(FL_WHITE);
        fl_draw(digit, cx + pitch / 2, y(), pitch / 2, h(), FL_ALIGN_LEFT);
    }
}
