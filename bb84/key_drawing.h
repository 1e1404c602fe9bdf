// What the scene and the books of the key distribution draw alike: single
// characters of large text and the colours of photons and cells.
#pragma once

#include "bb84/key_distribution.h"
#include "scene/color.h"

// The colour a photon of a polarization state flies in (red, yellow, cyan, green).
Color photonColour(int state);

// The colour a cell is written in.
Color tintColour(CellTint tint);

// One character of large text at (x, y) of the current model frame.
void drawChar(float x, float y, char ch);
