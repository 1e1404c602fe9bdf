// The one colour type of the 3-D scenes: an RGB triple plus the preset last chosen.
// Owners keep lamp, photon, cell and arrow colours in it and pass it to glColor3f.
#pragma once

class Color {
public:
    float r = 1.0f;
    float g = 1.0f;
    float b = 1.0f;
    // -1 until a preset is selected; no drawing code reads it before then.
    int index = -1;

    // Presets 0..9: red, cyan, yellow, green, magenta, brown, blue, black, grey, white.
    // Any other number is stored but leaves the colour as it was.
    void select(int preset);

    void setRed() { set(1, 0, 0); }
    void setCyan() { set(0, 1, 1); }
    void setYellow() { set(1, 1, 0); }
    void setGreen() { set(0, 1, 0); }
    void setMagenta() { set(1, 0, 1); }
    void setBrown() { set(0.6f, 0.3f, 0); }
    void setBlue() { set(0, 0, 1); }
    void setBlack() { set(0, 0, 0); }
    void setGrey() { set(0.4f, 0.4f, 0.4f); }
    void setWhite() { set(1, 1, 1); }
    void setGold() { set(1, 0.75f, 0); }

    float getR() const { return r; }
    float getG() const { return g; }
    float getB() const { return b; }

    // glColor3f with this colour.
    void apply() const;

private:
    void set(float red, float green, float blue) { r = red; g = green; b = blue; }
};
