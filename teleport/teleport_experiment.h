// The teleportation experiment as plain data that steps: its random sources, the
// run's phase, the moving parts' positions, the facts of the last run and the
// Repeat tally. The window fills the controls; the view draws what is here.
#pragma once

#include "scene/frame_step.h"
#include "scene/random_source.h"
#include "scene/standard_random.h"
#include "teleport/teleport_protocol.h"

// The run's ten stages, numbered as they are played; Finished is the picture the
// run leaves behind, which stays until the next Start.
enum class TeleportPhase {
    PumpToCrystal = 1,
    PairLeavesCrystal,
    PumpReturns,
    SecondPairBorn,
    SecondPairLeaves,
    PhotonTwoTurns,
    InputRevealed,
    MessageSent,
    MessageArrives,
    OutputLeaves,
    Finished,
};

// What the window's buttons say, copied in before Start and before every step.
struct TeleportControls {
    bool message = true;  // Alice's two bits reach Bob
    bool repeat = false;  // Start tallies many teleportations without animation
    bool returnHeld = false;  // Return is held down: the run ends at this step
};

class TeleportExperiment {
public:
    // The dial's rest angle, left of the "0" setting.
    static constexpr int needleRest = 48;
    // A tally's teleportations, and how many of them each frame step adds: the
    // totals climb visibly for under two seconds.
    static constexpr int tallyLength = 1000;
    static constexpr int tallyRunsPerFrame = 10;

    TeleportControls controls;

    // Input polarization index (modulus 6), reseeded at every Start.
    RandomSource polarizationSource;
    // Alice's result (modulus 4): seeded once here, so the runs of one window
    // continue one sequence.
    RandomSource outcomeSource;
    // Draws of the Repeat tally (p and r of each run), apart from the two above so
    // that a tally leaves the animated runs' sequences as they are. Reseeded at
    // every tally's Start.
    StandardRandom tallySource;

    TeleportPhase phase = TeleportPhase::PumpToCrystal;
    const char* messageText = "";
    int needleTarget = needleRest;
    int needleAngle = needleRest;
    float pumpX = -0.2f;
    float pumpZ = 9.3f;
    float photon2X = 0, photon2Z = 0;
    float photon3X = 0, photon3Z = 0;
    float photon1X = 0, photon1Z = 0;
    float photon4X = 0, photon4Z = 0;
    float outputZ = 0;
    float messageX = 0, messageY = 0, messageZ = 0;
    float helixExtent = 0;
    float helixTwist = 0;
    // What the current or last run decided: input, Alice's result, message, Bob's
    // operation, output.
    TeleportFacts facts;
    // The Repeat mode's totals, on show from a tally's Start until the next
    // animated run begins.
    TeleportTally tally;
    bool showTally = false;

    TeleportExperiment();

    // Start: an animated run, or with Repeat a tally, read from the controls.
    void startRun();
    // One frame step of the run; Finished once it is over or Return is held.
    FrameEnd step();
    // The run is over, however it ended (also when its window was closed).
    void endRun();
    bool running() const { return isRunning; }

    // The input polarization index p the polarizer, legend and output show: while
    // a tally counts, the input it drew last.
    int polarizationIndex() const;
    // The input's angle is shown: from stage 7 of a run on, and during a tally.
    bool inputShown() const;
    // Nothing run yet, or a tally's cleared scene: the legend shows all six colours.
    bool beforeRun() const { return !isRunning && phase == TeleportPhase::PumpToCrystal; }

    void setPhase(TeleportPhase p) { phase = p; }
    void resetNeedle() { needleAngle = needleRest; }
    void turnNeedle() { needleAngle = needleTarget; }
    void growHelix(float d) { helixExtent = helixExtent + d; }
    void twistHelix(float d) { helixTwist = helixTwist + d; }
    // Aims the dial at Bob's operation: the setting that undoes Alice's result,
    // or the rest angle when he got no message.
    void lightOutcomeLamp();

private:
    void begin();
    // The scene as before the first run, for a tally's Start.
    void clearScene();
    void setUp(TeleportPhase stage);
    bool endTestHolds(TeleportPhase stage) const;
    void advance(TeleportPhase stage);
    FrameEnd stepRun();
    FrameEnd stepTally();

    bool isRunning = false;
    bool tallying = false;
    // The increments of the frame just drawn are still to be added.
    bool advancePending = false;
};
