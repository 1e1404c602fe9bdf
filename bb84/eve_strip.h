// Eve's notebook: her basis and her bit for every column of the run, in her
// colour, in a strip under the scene, so that the class can see what she chose.
#pragma once

#include <FL/Fl_Widget.H>

class KeyProtocol;

class EveStrip : public Fl_Widget {
public:
    EveStrip(const KeyProtocol& protocol, int x, int y, int w, int h);

    void draw() override;

private:
    const KeyProtocol& protocol;
};
