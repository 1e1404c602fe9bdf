// The words of a teleportation lesson. Stops follow the run's phases; the band
// stands where the stage's own picture is not: along the top while the photons
// move near the table's front, along the bottom once Alice's bits fly to Bob's
// station at the far end.
#include "teleport/teleport_lesson.h"

#include "teleport/teleport_experiment.h"

namespace {

// One stop's words: the same picture with Alice's bits sent or withheld.
struct StopWords {
    const char* sent;
    const char* withheld;  // nullptr: as with the bits sent
    bool top;
};

const StopWords kStops[] = {
    // TeleportStop::Pulse
    {"The laser sends a short light pulse to the blue crystal.\n"
     "There, now and then, one photon of the pulse splits into\n"
     "two photons whose polarizations are entangled.",
     nullptr, true},
    // TeleportStop::FirstPair
    {"Photons 2 and 3 leave the crystal entangled: neither has\n"
     "a polarization of its own, yet measured the same way the\n"
     "two always come out at right angles. Photon 3 goes to Bob.",
     nullptr, true},
    // TeleportStop::SecondPair
    {"Sent back by a mirror, the pulse makes photons 1 and 4.\n"
     "Photon 4 only tells that photon 1 is there. Photon 1 has\n"
     "the polarization the polarizer chose at random: the input.",
     nullptr, true},
    // TeleportStop::BellMeasurement
    {"The read-out shows you photon 1's angle; no one in the\n"
     "experiment learns it. Photons 1 and 2 meet at Alice: her\n"
     "Bell measurement asks how they relate, never their angles.",
     nullptr, true},
    // TeleportStop::Result
    {"One of Alice's four lamps lights: her result, at random.\n"
     "Now photon 3 holds photon 1's state, changed in one of\n"
     "four known ways. She sends the lamp's number as two bits.",
     "One of Alice's four lamps lights: her result, at random.\n"
     "Now photon 3 holds photon 1's state, changed in one of\n"
     "four known ways. Message is off: her bits stay with her.",
     false},
    // TeleportStop::BitsArrive
    {"The two bits reach Bob's receiver, no faster than light.\n"
     "Until now photon 3 was of no use to him: he could not\n"
     "tell which of the four changes to undo.",
     "No bits reach Bob: his receiver lamp stays unlit. Photon 3\n"
     "is there, but he cannot tell which of the four changes\n"
     "Alice's result made to it.",
     false},
    // TeleportStop::BobTurns
    {"Bob turns his dial to the number he got: this undoes the\n"
     "change Alice's result made. His photon now leaves the box.\n"
     "Look at its arrow: which colour and angle will it have?",
     "With no bits, Bob's dial stays at rest. His photon leaves\n"
     "as Alice's result left it, so it matches the input only by\n"
     "chance. Look at its arrow: will it match this time?",
     false},
};
static_assert(sizeof kStops / sizeof kStops[0] == static_cast<int>(TeleportStop::Last),
              "one entry per stop");

// The finished run's picture: the output arrow stands between Bob's dial and
// the legend; the band covers the title, not the legend the arrow is read by.
const StopWords kRunEnd = {
    "Bob's arrow has the input's colour and angle, whichever\n"
    "lamp lit: photon 1's state now belongs to photon 3. Photon\n"
    "1 lost it at Alice: the state was moved, never copied.",
    "Compare Bob's arrow with the input: it matches only if\n"
    "Alice's result happened to leave it as it was. Averaged\n"
    "over her results, Bob's photon is unpolarized.",
    true};

// The tally's panel fills the right half down to the control row.
const StopWords kTallyEnd = {
    "Alice's four results each come up about 1/4 of the time,\n"
    "yet Output = input stays at 100 %: with the two bits Bob\n"
    "gets every input back, whichever result she found.",
    "Alice's four results still come up about 1/4 of the time.\n"
    "Without her bits Bob's output equals the input in about\n"
    "1/3 of the runs, by chance, and he cannot tell which ones.",
    true};

LessonCaption said(const StopWords& words, bool sent) {
    LessonCaption caption;
    caption.text = sent || !words.withheld ? words.sent : words.withheld;
    caption.top = words.top;
    return caption;
}

}  // namespace

TeleportStop teleportLessonStop(const TeleportExperiment& e) {
    if (!e.running() || e.showTally) {
        return TeleportStop::None;
    }
    switch (e.phase) {
    case TeleportPhase::PumpToCrystal: return TeleportStop::Pulse;
    // The pulse's way back is the same picture as its way out.
    case TeleportPhase::PairLeavesCrystal:
    case TeleportPhase::PumpReturns: return TeleportStop::FirstPair;
    // Stage 4 takes no frame and stage 5 a tenth of a second.
    case TeleportPhase::SecondPairBorn:
    case TeleportPhase::SecondPairLeaves:
    case TeleportPhase::PhotonTwoTurns: return TeleportStop::SecondPair;
    case TeleportPhase::InputRevealed: return TeleportStop::BellMeasurement;
    case TeleportPhase::MessageSent: return TeleportStop::Result;
    case TeleportPhase::MessageArrives: return TeleportStop::BitsArrive;
    case TeleportPhase::OutputLeaves: return TeleportStop::BobTurns;
    default: return TeleportStop::None;
    }
}

LessonCaption teleportLessonCaption(const TeleportExperiment& e, TeleportStop stop) {
    const int index = static_cast<int>(stop) - 1;
    if (index < 0 || index >= static_cast<int>(TeleportStop::Last)) {
        return {};
    }
    return said(kStops[index], e.facts.messageSent);
}

LessonCaption teleportLessonEnd(const TeleportExperiment& e) {
    if (e.showTally) {
        const TeleportTally& tally = e.tally;
        return tally.runs >= TeleportExperiment::tallyLength ? said(kTallyEnd, tally.messageSent)
                                                             : LessonCaption{};
    }
    return e.phase == TeleportPhase::Finished ? said(kRunEnd, e.facts.messageSent)
                                              : LessonCaption{};
}
