// The teleportation told stage by stage: where a run stops for the class, and
// what each stop and the end of a run or a tally say.
#pragma once

#include "scene/lesson_caption.h"

class TeleportExperiment;

// The stops of an animated run, in the order they come. Phases too short to be
// seen alone share the stop of the phase they lead into or out of.
enum class TeleportStop {
    None = 0,  // nothing to wait for: before or after a run, and during a tally
    Pulse,     // the pump pulse on its way to the crystal
    FirstPair,  // photons 2 and 3 leave; the pulse goes to the mirror and back
    SecondPair,  // photons 1 and 4 are born; photon 2 turns toward Alice
    BellMeasurement,  // the input is shown; photons 1 and 2 reach Alice
    Result,    // Alice's lamp lights and her two bits set off
    BitsArrive,  // the bits reach Bob, or do not
    BobTurns,  // Bob's dial, then his output photon
    Last = BobTurns,
};

// The stop the experiment stands at; None while nothing should be waited at.
TeleportStop teleportLessonStop(const TeleportExperiment& experiment);

// What the class reads at a stop; its words follow whether the run sends Alice's
// bits.
LessonCaption teleportLessonCaption(const TeleportExperiment& experiment, TeleportStop stop);

// How to read what a run left: its output, or a finished tally's totals. None
// for a run or tally ended early by Return.
LessonCaption teleportLessonEnd(const TeleportExperiment& experiment);
