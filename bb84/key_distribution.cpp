// The run of the key distribution, one frame step at a time. Every stage tests
// Return where it always has, so that a held Return ends the run within a few
// frames; the Speed is read afresh wherever a flight advances.
#include "bb84/key_distribution.h"

#include <cstdio>

namespace {

constexpr float generationEnd = 30.0f;
constexpr double generationStep = 0.1;
constexpr int sweepStart = 270;
constexpr int sweepEnd = 630;
constexpr int sweepStep = 3;
constexpr double flightStep = 0.4;
constexpr double spinStep = 10.0;
constexpr float photonStart = -10.0f;
constexpr float photonEnd = 7.0f;
constexpr float measuredAt = 4.3f;
constexpr float announceFirst = 2.9f;
constexpr float announceStart = 2.7f;
constexpr float announceEnd = -8.7f;
constexpr float keyDropStart = 4.625f;
constexpr double keyDropStep = 0.1;
// A counting run: rounds of 32 photons, and how often the totals are shown.
constexpr int countedRounds = 1000;
constexpr int roundsPerShow = 50;

constexpr double towardsB = 1.0;
constexpr double towardsA = -1.0;

char digit(int value) { return value < 0 ? ' ' : static_cast<char>('0' + value); }

}  // namespace

void formatValueText(RandomSource& random) {
    std::snprintf(random.valueText, sizeof random.valueText, "%d",
                  static_cast<int>(random.value()));
}

void KeyDistribution::startRun() { part = Part::opening; }

void KeyDistribution::endRun() {
    phase = finished;
    part = Part::idle;
}

unsigned KeyDistribution::takeRedraws() {
    const unsigned taken = redraws;
    redraws = 0;
    return taken;
}

void KeyDistribution::enter(int next) {
    phase = static_cast<KeyPhase>(next);
    part = Part::entering;
}

FrameEnd KeyDistribution::step() {
    for (;;) {
        if (const std::optional<FrameEnd> end = advance()) {
            return *end;
        }
    }
}

// The stage at hand, up to its next frame; nothing when it passed the run on
// to the next stage without one.
std::optional<FrameEnd> KeyDistribution::advance() {
    switch (part) {
    case Part::idle:
        return FrameEnd::Finished;
    case Part::opening:
        // Blank books: last run's polarizations would otherwise show in a
        // column before its photon is sent.
        protocol.reset(controls.eve, controls.count, controls.eveShare);
        for (ColumnMarks& m : marks) m = ColumnMarks{};
        keyCopied[0] = keyCopied[1] = false;
        shownIndex = -1;
        redraw(redrawNotebook | redrawSender | redrawReceiver);
        part = Part::seeding;
        return FrameEnd::Frame;
    case Part::seeding:
        random.reseed();
        random.setModulus(2);
        additions.reseed();
        if (protocol.eve) eveChoice.arm(protocol.eveShare);
        detection.detected = false;
        enter(protocol.countMode ? counting : generatingA);
        return std::nullopt;
    default:
        break;
    }
    switch (phase) {
    case generatingA:
    case generatingB:
        return generate(phase + 1);
    case basesOfA:
        return fillBases(Party::sender);
    case basesOfB:
        return fillBases(Party::receiver);
    case sendingPhotons:
        return sendPhoton();
    case announcingBases:
        return announceBases();
    case droppingKeyRows:
        return dropKeyRows();
    case markingSender:
        return markColumns(sendingNumbers);
    case sendingNumbers:
        return sendColumnNumbers();
    case markingReceiver:
        return markColumns(erasing);
    case erasing:
        return erase();
    case checkingErrors:
        return checkErrors();
    case counting:
        return countRounds();
    case finished:
        part = Part::idle;
        return FrameEnd::Finished;
    default:
        enter(finished);
        return std::nullopt;
    }
}

// Three sweeps of the pulsing text; Return is looked at only between sweeps.
std::optional<FrameEnd> KeyDistribution::generate(int next) {
    if (part == Part::entering) {
        generationTime = 0;
        part = Part::loopTop;
    }
    if (part == Part::loopTop) {
        if (stopRequested() || generationTime >= generationEnd) {
            enter(next);
            return std::nullopt;
        }
        pulseAngle = sweepStart;
    } else {
        pulseAngle += sweepStep;
    }
    if (pulseAngle <= sweepEnd) {
        generationTime = static_cast<float>(generationTime + generationStep);
        redraw(redrawScene);
        part = Part::afterFrame;
        return FrameEnd::Step;
    }
    part = Part::loopTop;
    return std::nullopt;
}

// One draw, then per column: the draw's digit into the base row, one frame
// step of the book, another draw (33 draws for 32 bases).
std::optional<FrameEnd> KeyDistribution::fillBases(Party party) {
    const bool sender = party == Party::sender;
    switch (part) {
    case Part::entering:
        random.next();
        keyColumn = 0;
        break;
    case Part::afterFrame:
        random.next();
        ++keyColumn;
        break;
    default:  // the book was shown once more: the next party's turn
        enter(sender ? generatingB : sendingPhotons);
        return std::nullopt;
    }
    const unsigned book = sender ? redrawSender : redrawReceiver;
    if (keyColumn >= keyColumns || stopRequested()) {
        redraw(book);
        part = Part::closing;
        return FrameEnd::Frame;
    }
    formatValueText(random);
    KeyColumnRecord& c = protocol.columns[keyColumn];
    (sender ? c.aBase : c.bBase) = random.valueText[0] - '0';
    redraw(book);
    part = Part::afterFrame;
    return FrameEnd::Step;
}

// Per column: A's bit (a frame of her book), her photon's state (another), the
// flight to B with his measurement on the way, and a last frame of his book.
std::optional<FrameEnd> KeyDistribution::sendPhoton() {
    switch (part) {
    case Part::entering:
        keyColumn = 0;
        part = Part::loopTop;
        break;
    case Part::flown:
        ++keyColumn;
        part = Part::loopTop;
        break;
    default:
        break;
    }
    const int i = static_cast<int>(keyColumn);
    switch (part) {
    case Part::loopTop: {
        if (keyColumn >= keyColumns || stopRequested()) {
            enter(announcingBases);
            return std::nullopt;
        }
        detection.diagonalResult = false;
        shownIndex = i;
        photonX = photonStart;
        random.next();
        currentIndex = i;
        formatValueText(random);
        protocol.columns[i].aBit = random.valueText[0] - '0';
        redraw(redrawSender);
        part = Part::bitShown;
        return FrameEnd::Step;
    }
    case Part::bitShown: {
        KeyColumnRecord& c = protocol.columns[i];
        detection.analyzerAngle = c.bBase == 0 ? 0 : 45;
        sentState = stateOf(c.aBase == 0 ? 0 : 1, c.aBit);
        c.sentState = sentState;
        redraw(redrawSender);
        part = Part::flightBegins;
        return FrameEnd::Frame;
    }
    case Part::inFlight:
        spinAngle = static_cast<float>(spinAngle + controls.speed * spinStep);
        if (photonX >= measuredAt && !detection.detected) {
            detection.detected = true;
            // A fresh draw for B ends a frame of its own before the photon moves on.
            if (measureAtReceiver()) {
                part = Part::measuredFresh;
                return FrameEnd::Frame;
            }
        }
        photonX = static_cast<float>(photonX + controls.speed * flightStep);
        break;
    case Part::measuredFresh:
        photonX = static_cast<float>(photonX + controls.speed * flightStep);
        break;
    default:
        break;
    }
    if (photonX <= photonEnd && !stopRequested()) {
        // Eve measures as the photon reaches her, so that the frame drawn there
        // already shows the photon she sent on.
        KeyColumnRecord& c = protocol.columns[i];
        if (protocol.eve && c.eveState < 0 && !c.evePassed && photonX >= eveStationX) {
            protocol.eveTurn(i, additions, eveChoice);
            redraw(redrawNotebook);
        }
        redraw(redrawScene);
        part = Part::inFlight;
        return FrameEnd::Step;
    }
    detection.detected = false;
    redraw(redrawScene | redrawReceiver);
    part = Part::flown;
    return FrameEnd::Frame;
}

// B measures the photon that reaches him: A's, or the one Eve sent on. True
// when his basis was not the photon's and his bit was a fresh draw.
bool KeyDistribution::measureAtReceiver() {
    const int i = static_cast<int>(keyColumn);
    KeyColumnRecord& c = protocol.columns[i];
    const int photon = protocol.arriving(i);
    const bool fresh = basisOf(photon) != c.bBase;
    if (!fresh) {
        c.receivedState = photon;
    } else {
        random.next();
        formatValueText(random);
        c.receivedState = measure(photon, c.bBase, random.valueText[0] - '0');
    }
    c.bBit = bitOf(c.receivedState);
    if (c.bBase == 0) {
        detection.resultColour.select(c.bBit == 0 ? 0 : 2);
    } else {
        detection.resultColour.select(c.bBit == 0 ? 1 : 3);
        detection.diagonalResult = true;
    }
    return fresh;
}

bool KeyDistribution::messageFlies(bool moved, double direction, float limit) {
    if (moved) {
        photonX = static_cast<float>(photonX + direction * controls.speed * flightStep);
    }
    const bool before = direction > 0 ? photonX <= limit : photonX >= limit;
    if (before && !stopRequested()) {
        redraw(redrawScene);
        return true;
    }
    return false;
}

bool KeyDistribution::columnGoesOn(float startX, int next) {
    if (part == Part::entering) {
        lampLevel = 1.0f;
        photonX = startX;
        keyColumn = 0;
    } else if (part == Part::afterFrame) {
        ++keyColumn;
    }
    if (part == Part::inFlight) {
        return true;
    }
    if (keyColumn >= keyColumns || stopRequested()) {
        enter(next);
        return false;
    }
    return true;
}

// B's bases fly to A one by one; A marks hers red where they agree.
std::optional<FrameEnd> KeyDistribution::announceBases() {
    if (!columnGoesOn(announceFirst, droppingKeyRows)) {
        return std::nullopt;
    }
    const int i = static_cast<int>(keyColumn);
    if (part != Part::inFlight) {
        marks[i].announced = true;
        redraw(redrawReceiver);
    }
    if (messageFlies(part == Part::inFlight, towardsA, announceEnd)) {
        part = Part::inFlight;
        return FrameEnd::Step;
    }
    photonX = announceStart;
    KeyColumnRecord& c = protocol.columns[i];
    c.kept = c.aBase >= 0 && c.aBase == c.bBase;
    marks[i].sifted = true;
    redraw(redrawSender);
    part = Part::afterFrame;
    return FrameEnd::Step;
}

// The bits are copied into both key rows, which then drop into place.
std::optional<FrameEnd> KeyDistribution::dropKeyRows() {
    switch (part) {
    case Part::entering:
        lampLevel = 0.4f;
        redraw(redrawScene);
        keyDrop = keyDropStart;
        keyCopied[0] = true;
        redraw(redrawSender);
        part = Part::copiedA;
        return FrameEnd::Step;
    case Part::copiedA:
        keyCopied[1] = true;
        redraw(redrawReceiver);
        part = Part::copiedB;
        return FrameEnd::Step;
    case Part::afterFrame:
        keyDrop = static_cast<float>(keyDrop - keyDropStep);
        break;
    default:
        break;
    }
    if (keyDrop >= 0 && !stopRequested()) {
        redraw(redrawSender | redrawReceiver);
        part = Part::afterFrame;
        return FrameEnd::Step;
    }
    enter(markingSender);
    return std::nullopt;
}

// A marks her numbers and key bits (phase 8), or B his key bits (phase 10),
// one column a frame.
std::optional<FrameEnd> KeyDistribution::markColumns(KeyPhase next) {
    const bool sender = phase == markingSender;
    switch (part) {
    case Part::entering:
        if (!sender) {
            lampLevel = 0.4f;
            redraw(redrawScene);
        }
        keyColumn = 0;
        break;
    default:
        ++keyColumn;
        break;
    }
    if (keyColumn >= keyColumns || stopRequested()) {
        enter(next);
        return std::nullopt;
    }
    (sender ? marks[keyColumn].senderMarked : marks[keyColumn].receiverMarked) = true;
    redraw((sender ? redrawSender : redrawReceiver) | redrawScene);
    part = Part::afterFrame;
    return FrameEnd::Step;
}

// A tells B the numbers of the kept columns; the others are greyed in both books.
std::optional<FrameEnd> KeyDistribution::sendColumnNumbers() {
    if (!columnGoesOn(announceEnd, markingReceiver)) {
        return std::nullopt;
    }
    const int i = static_cast<int>(keyColumn);
    if (part != Part::inFlight) {
        if (!protocol.columns[i].kept) {
            marks[i].numberSent = true;
            redraw(redrawSender | redrawReceiver);
            part = Part::afterFrame;
            return FrameEnd::Step;
        }
        photonX = announceEnd;
    }
    if (messageFlies(part == Part::inFlight, towardsB, announceStart)) {
        part = Part::inFlight;
        return FrameEnd::Step;
    }
    photonX = announceEnd;
    marks[i].numberSent = true;
    redraw(redrawReceiver);
    part = Part::afterFrame;
    return FrameEnd::Step;
}

// The discarded columns' key bits are wiped in both books; kept columns take
// no frame.
std::optional<FrameEnd> KeyDistribution::erase() {
    if (part == Part::entering) {
        keyColumn = 0;
    } else {
        ++keyColumn;
    }
    for (; keyColumn < keyColumns && !stopRequested(); ++keyColumn) {
        if (!protocol.columns[keyColumn].kept) {
            marks[keyColumn].erased = true;
            redraw(redrawSender | redrawReceiver);
            part = Part::afterFrame;
            return FrameEnd::Step;
        }
    }
    enter(checkingErrors);
    return std::nullopt;
}

// A announces the bits of half the kept columns, B answers with his; each pair
// is marked, and the compared bits leave the key. Then the verdict.
std::optional<FrameEnd> KeyDistribution::checkErrors() {
    switch (part) {
    case Part::entering:
        chosenCount = protocol.chooseCompared(additions, chosen);
        lampLevel = 1.0f;
        checkComplete = true;
        chosenIndex = 0;
        part = Part::loopTop;
        break;
    case Part::afterFrame:
        ++chosenIndex;
        part = Part::loopTop;
        break;
    case Part::closing:
        enter(finished);
        return std::nullopt;
    default:
        break;
    }
    if (part == Part::loopTop) {
        if (chosenIndex >= chosenCount || stopRequested()) {
            checkComplete = chosenIndex >= chosenCount;
            lampLevel = 0.4f;
            if (checkComplete && !stopRequested()) {
                protocol.decide();
                redraw(redrawSender | redrawReceiver | redrawScene);
                part = Part::closing;
                return FrameEnd::Step;
            }
            enter(finished);
            return std::nullopt;
        }
        keyColumn = static_cast<unsigned>(chosen[chosenIndex]);
        protocol.answering = false;
        photonX = announceEnd;
        part = Part::flightBegins;
    }
    if (part == Part::flightBegins || part == Part::toB) {
        if (messageFlies(part == Part::toB, towardsB, announceStart)) {
            part = Part::toB;
            return FrameEnd::Step;
        }
        protocol.answering = true;
        photonX = announceStart;
        part = Part::answerBegins;
    }
    if (messageFlies(part == Part::toA, towardsA, announceEnd)) {
        part = Part::toA;
        return FrameEnd::Step;
    }
    protocol.compare(chosen[chosenIndex]);
    redraw(redrawSender | redrawReceiver | redrawScene);
    part = Part::afterFrame;
    return FrameEnd::Step;
}

// No animation: whole rounds straight from the draws; the totals are shown
// every few rounds, which is also where Stop and Return are served.
std::optional<FrameEnd> KeyDistribution::countRounds() {
    if (part == Part::entering) {
        roundsCounted = 0;
    }
    while (roundsCounted < countedRounds && !stopRequested()) {
        addRound(playRound(additions, protocol.eve, eveChoice), protocol.totals);
        ++roundsCounted;
        if (roundsCounted % roundsPerShow == 0) {
            redraw(redrawScene);
            part = Part::afterFrame;
            return FrameEnd::Step;
        }
    }
    enter(finished);
    return std::nullopt;
}

int KeyDistribution::photonInFlight() const {
    if (protocol.eve && photonX >= eveStationX && keyColumn < keyColumns &&
        protocol.columns[keyColumn].eveState >= 0) {
        return protocol.columns[keyColumn].eveState;
    }
    return sentState;
}

CellShown KeyDistribution::cell(Party party, KeyRow row, int column) const {
    const bool sender = party == Party::sender;
    const KeyColumnRecord& c = protocol.columns[column];
    const ColumnMarks& m = marks[column];
    switch (row) {
    case KeyRow::numbers:
        if (m.numberSent && !c.kept) return {' ', CellTint::grey};
        if (sender ? m.senderMarked && c.kept : m.numberSent) return {' ', CellTint::red};
        return {' ', CellTint::white};
    case KeyRow::bases: {
        const char symbol = digit(sender ? c.aBase : c.bBase);
        if (sender && m.sifted) return {symbol, c.kept ? CellTint::red : CellTint::grey};
        if (!sender && m.announced) return {symbol, CellTint::grey};
        return {symbol, CellTint::white};
    }
    case KeyRow::bits: {
        const char symbol = digit(sender ? c.aBit : c.bBit);
        if (c.compared) return {symbol, c.error ? CellTint::red : CellTint::green};
        return {symbol, CellTint::white};
    }
    case KeyRow::key:
        break;
    }
    // A difference in the check means the photons were disturbed: nothing of
    // the key is kept.
    const char symbol = keyCopied[sender ? 0 : 1] ? digit(sender ? c.aBit : c.bBit) : ' ';
    if (protocol.check.decided && keyBitStatus(protocol, column) == KeyBitStatus::discarded) {
        return {symbol, CellTint::grey};
    }
    if (m.erased) return {symbol, CellTint::black};
    if (sender ? m.senderMarked : m.receiverMarked) {
        return {symbol, c.kept ? CellTint::gold : CellTint::grey};
    }
    return {symbol, CellTint::white};
}
