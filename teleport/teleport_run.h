// The teleportation run: ten stages of fixed choreography with a random input
// polarization and a random Bell-measurement result, one frame per event pass;
// or, with Repeat lit, a tally of many teleportations without animation.
#pragma once

class Fl_Widget;
class TeleportView;
class TeleportWindow;

class TeleportRun {
public:
    static constexpr int stageCount = 10;

    TeleportRun(TeleportWindow& window, TeleportView& view) : window(window), view(view) {}

    // Plays the whole run and returns when it ended (stage 10 done, Return held,
    // or the window no longer shown).
    void play();
    // Repeat lit: a thousand teleportations without animation, the totals shown
    // every frame step; ends early as a run does.
    void playTally();

    // The pieces of a run, in the order play() uses them.
    void begin();
    void setUp(int stage);
    bool endTestHolds(int stage) const;
    void advance(int stage);
    // Return held down, or the window closed in any way since the last frame.
    bool cancelled() const;
    void finish();

private:
    // Start, Message and Repeat greyed, Stop off: what every Start does first.
    void lockControls();
    // The scene as before the first run, for a tally's Start.
    void clearScene();

    TeleportWindow& window;
    TeleportView& view;
};

// Start's callback: runs the experiment in the window the button belongs to.
void startTeleportation(Fl_Widget* = nullptr, void* = nullptr);
