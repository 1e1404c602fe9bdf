// Colours and characters shared by the key distribution's scene and books.
#include "bb84/key_drawing.h"

#include "scene/bitmap_text.h"

Color photonColour(int state) {
    Color colour;
    switch (state) {
    case 0: colour.setRed(); break;
    case 1: colour.setYellow(); break;
    case 2: colour.setCyan(); break;
    case 3: colour.setGreen(); break;
    default: break;
    }
    return colour;
}

Color tintColour(CellTint tint) {
    Color colour;
    switch (tint) {
    case CellTint::white: colour.setWhite(); break;
    case CellTint::red: colour.setRed(); break;
    case CellTint::grey: colour.setGrey(); break;
    case CellTint::gold: colour.setGold(); break;
    case CellTint::black: colour.setBlack(); break;
    case CellTint::green: colour.setGreen(); break;
    }
    return colour;
}

void drawChar(float x, float y, char ch) {
    const char text[2] = {ch, 0};
    drawTimesText(x, y, text);
}
