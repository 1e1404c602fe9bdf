// The ten stages of the teleportation run and the Repeat tally. Positions are
// floats advanced by double constants and stored back as floats: the frame
// counts of the stages depend on exactly that rounding.
#include "teleport/teleport_experiment.h"

#include <algorithm>

namespace {

// Where the pump pulse starts, inside the laser.
constexpr float pumpStartX = -0.2f;
constexpr float pumpStartZ = 9.3f;
// The crystal's face that the pump and the photon pairs leave from.
constexpr double crystalZ = 1.9;
// Depth at which the output photon starts inside Bob's device.
constexpr float outputStartZ = -11;

TeleportPhase after(TeleportPhase phase) {
    return static_cast<TeleportPhase>(static_cast<int>(phase) + 1);
}

}  // namespace

TeleportExperiment::TeleportExperiment() { polarizationSource.lastValue = 0; }

int TeleportExperiment::polarizationIndex() const {
    return showTally && tally.running && tally.lastInput >= 0 ? tally.lastInput : facts.input;
}

bool TeleportExperiment::inputShown() const {
    return showTally || phase >= TeleportPhase::InputRevealed;
}

void TeleportExperiment::lightOutcomeLamp() {
    needleTarget = facts.operation == TeleportFacts::noOperation
                       ? needleRest
                       : kBellResults[facts.operation].needleTarget;
}

void TeleportExperiment::startRun() {
    isRunning = true;
    advancePending = false;
    tallying = controls.repeat;
    if (!tallying) {
        begin();
        setUp(TeleportPhase::PumpToCrystal);
        return;
    }
    clearScene();
    tally = TeleportTally{};
    tally.messageSent = controls.message;
    tally.running = true;
    showTally = true;
    tallySource.reseed();
}

void TeleportExperiment::endRun() {
    isRunning = false;
    tallying = false;
    advancePending = false;
    tally.running = false;
}

FrameEnd TeleportExperiment::step() {
    if (!isRunning) {
        return FrameEnd::Finished;
    }
    return tallying ? stepTally() : stepRun();
}

void TeleportExperiment::begin() {
    facts.messageSent = controls.message;
    showTally = false;
    helixExtent = 0;
    helixTwist = 0;
    setPhase(TeleportPhase::PumpToCrystal);
}

FrameEnd TeleportExperiment::stepRun() {
    // The increments belong after the frame they follow, so that a run ended
    // here leaves its parts where the last frame's increments put them.
    if (advancePending) {
        advance(phase);
        advancePending = false;
    }
    if (controls.returnHeld) {
        endRun();
        return FrameEnd::Finished;
    }
    // A stage whose end test holds at once takes no frame.
    while (endTestHolds(phase)) {
        setPhase(after(phase));
        if (phase == TeleportPhase::Finished) {
            endRun();
            return FrameEnd::Finished;
        }
        setUp(phase);
    }
    advancePending = true;
    return FrameEnd::Step;
}

FrameEnd TeleportExperiment::stepTally() {
    // Return ends the tally between two frame steps, as it ends a run.
    if (tally.runs >= tallyLength || controls.returnHeld) {
        endRun();
        return FrameEnd::Finished;
    }
    tallyRuns(tally, tallySource, std::min(tallyRunsPerFrame, tallyLength - tally.runs));
    return FrameEnd::Step;
}

void TeleportExperiment::clearScene() {
    // A tally draws its own inputs: nothing of the last run's may stand beside
    // its totals, neither its arrows nor its lamps, dial or input.
    facts = TeleportFacts{};
    setPhase(TeleportPhase::PumpToCrystal);
    pumpX = pumpStartX;
    pumpZ = pumpStartZ;
    helixExtent = 0;
    helixTwist = 0;
    resetNeedle();
}

void TeleportExperiment::setUp(TeleportPhase stage) {
    switch (stage) {
    case TeleportPhase::PumpToCrystal:
        polarizationSource.reseed();
        polarizationSource.setModulus(kDirections);
        polarizationSource.next();
        facts.input = static_cast<int>(polarizationSource.value());
        pumpX = pumpStartX;
        pumpZ = pumpStartZ;
        resetNeedle();
        break;
    case TeleportPhase::PairLeavesCrystal:
        // The pulse goes on from where its trailing sphere was drawn.
        pumpZ = pumpZ - 0.8;
        photon2X = -0.2f;
        photon2Z = 1.9f;
        photon3X = -0.2f;
        photon3Z = 1.9f;
        break;
    case TeleportPhase::SecondPairBorn:
        photon1X = -0.2f;
        photon1Z = pumpZ;
        photon4X = -0.2f;
        photon4Z = photon1Z;
        pumpZ = pumpStartZ;
        pumpX = pumpStartX;
        break;
    case TeleportPhase::MessageSent: {
        outcomeSource.setModulus(kResults);
        outcomeSource.next();
        const int r = static_cast<int>(outcomeSource.value() % kResults);
        facts = teleport(facts.input, r, facts.messageSent);
        messageText = kBellResults[r].message;
        lightOutcomeLamp();
        messageX = -1.6f;
        messageY = 4.4f;
        messageZ = 1.14f;
        break;
    }
    case TeleportPhase::OutputLeaves:
        turnNeedle();
        outputZ = outputStartZ;
        break;
    default:
        break;
    }
}

bool TeleportExperiment::endTestHolds(TeleportPhase stage) const {
    switch (stage) {
    case TeleportPhase::PumpToCrystal: return pumpZ <= crystalZ;
    case TeleportPhase::PairLeavesCrystal: return photon2Z <= 0.55;
    case TeleportPhase::PumpReturns: return pumpZ >= crystalZ;
    case TeleportPhase::SecondPairBorn: return photon2Z <= -1.3;
    case TeleportPhase::SecondPairLeaves: return photon2Z <= -2.05;
    case TeleportPhase::PhotonTwoTurns: return photon2Z >= -0.75;
    case TeleportPhase::InputRevealed: return photon2Z >= 0.8;
    case TeleportPhase::MessageSent: return messageX >= 1.45;
    case TeleportPhase::MessageArrives: return messageX >= 2.1;
    case TeleportPhase::OutputLeaves: return outputZ >= -1.7;
    default: return true;
    }
}

void TeleportExperiment::advance(TeleportPhase stage) {
    switch (stage) {
    case TeleportPhase::PumpToCrystal:
        pumpZ = pumpZ - 0.06;
        break;
    case TeleportPhase::PairLeavesCrystal:
    case TeleportPhase::PumpReturns: {
        const bool outward = stage == TeleportPhase::PairLeavesCrystal;
        pumpZ = outward ? pumpZ - 0.06 : pumpZ + 0.06;
        photon2X = photon2X - 0.016;
        photon2Z = photon2Z - 0.055;
        photon3X = photon3X + 0.015;
        photon3Z = photon3Z - 0.055;
        growHelix(outward ? 0.002f : 0.01f);
        break;
    }
    case TeleportPhase::SecondPairBorn:
    case TeleportPhase::SecondPairLeaves: {
        const bool born = stage == TeleportPhase::SecondPairBorn;
        photon2X = photon2X - 0.016;
        photon2Z = photon2Z - 0.055;
        photon3X = photon3X + 0.014;
        photon3Z = photon3Z - 0.055;
        photon1X = photon1X - 0.03;
        // Photon 1 is reflected back toward the viewer in the second of the two.
        photon1Z = born ? photon1Z + 0.06 : photon1Z - 0.031;
        photon4X = photon4X + 0.03;
        photon4Z = photon4Z + 0.06;
        growHelix(born ? 0.016f : 0.013f);
        break;
    }
    case TeleportPhase::PhotonTwoTurns:
    case TeleportPhase::InputRevealed: {
        const bool turning = stage == TeleportPhase::PhotonTwoTurns;
        photon2X = photon2X - 0.028;
        photon2Z = photon2Z + 0.042;
        photon3X = photon3X + 0.014;
        photon3Z = photon3Z - 0.05;
        photon1X = photon1X - 0.03;
        photon1Z = photon1Z - 0.031;
        growHelix(turning ? 0.025f : 0.03f);
        twistHelix(turning ? 0.75f : 0.24f);
        break;
    }
    case TeleportPhase::MessageSent:
        photon3X = photon3X + 0.014;
        photon3Z = photon3Z - 0.05;
        messageX = messageX + 0.03;
        messageY = messageY + 0.02;
        messageZ = messageZ - 0.006;
        break;
    case TeleportPhase::MessageArrives:
        photon3X = photon3X + 0.014;
        photon3Z = photon3Z - 0.05;
        messageX = messageX + 0.05;
        break;
    case TeleportPhase::OutputLeaves:
        outputZ = outputZ + 0.07;
        break;
    default:
        break;
    }
}
