// The key-distribution run. Every loop tests Return (and whether the window is
// still shown) so that the run can always be ended within a few frames; the
// Speed slider is read afresh wherever a flight advances.
#include "bb84/key_distribution_run.h"

#include "app/registry.h"
#include "bb84/bb84_view.h"
#include "bb84/bb84_window.h"
#include "bb84/eve_strip.h"
#include "bb84/key_tables.h"
#include "scene/frame_step.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Light_Button.H>
#include <FL/Fl_Value_Slider.H>

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
// Eve's and the check's sources are seeded from the same clock as A's and B's,
// each moved to a place of its own in the generator's cycle.
constexpr uint32_t eveSeedMix = 0x9e3779b9u;
constexpr uint32_t samplingSeedMix = 0x7f4a7c15u;

// The run records a table's base symbols in the protocol as it draws them.
void recordBases(const KeyTableView& table, KeyColumnRecord (&columns)[keyColumns], bool sender) {
    for (int i = 0; i < keyColumns; ++i) {
        const char symbol = table.baseSymbol(i);
        const int basis = symbol == ' ' ? -1 : symbol - '0';
        (sender ? columns[i].aBase : columns[i].bBase) = basis;
    }
}

class Run {
public:
    explicit Run(Bb84Window& w)
        : window(w), protocol(w.protocol), view(*w.view), a(*w.sender), b(*w.receiver) {}

    void play();

private:
    // Return held down, or the window closed: every loop ends at its next test.
    bool stopRequested() const { return window.returnButton->value() == 1 || !window.visible(); }
    double speed() const { return window.speedSlider->value(); }

    void stepView() {
        view.redraw();
        frameStep();
    }
    void stepTables() {
        a.redraw();
        b.redraw();
        frameStep();
    }

    void generate(int next);
    void photons();
    void announceBases();
    void dropKeyRows();
    void markSender();
    void sendColumnNumbers();
    void markReceiver();
    void erase();
    void checkErrors();
    void countRounds();
    // The frames of one message on the classical channel: from A to B as the
    // column numbers fly, or from B to A as the bases do.
    void flyToB();
    void flyToA();
    void markCompared(int i);

    Bb84Window& window;
    KeyProtocol& protocol;
    Bb84View& view;
    SenderTableView& a;
    ReceiverTableView& b;
};

void Run::play() {
    Fl_Widget* const lockedDuringRun[] = {window.startButton, window.polButton, window.eveButton,
                                          window.countButton};
    for (Fl_Widget* w : lockedDuringRun) w->deactivate();
    window.stopButton->value(0);
    const bool counted = window.countButton->value() != 0;
    protocol.reset(window.eveButton->value() != 0, counted);
    window.eveStrip->redraw();
    resetTables(window);
    window.random.reseed();
    window.random.setModulus(2);
    window.eveRandom.reseed();
    window.eveRandom.state ^= eveSeedMix;
    window.sampling.reseed();
    window.sampling.state ^= samplingSeedMix;
    view.detection.detected = false;
    view.setPhase(counted ? counting : generatingA);

    auto stop = [this] { return stopRequested(); };
    while (view.phase != finished) {
        // A window that is no longer shown is never shown again: nothing is left
        // to show, so the run ends at once.
        if (!window.visible()) {
            view.setPhase(finished);
            break;
        }
        switch (view.phase) {
        case 1:
        case 3:
            generate(view.phase + 1);
            break;
        case 2:
            a.fillSenderBases(window.random, stop);
            recordBases(a, protocol.columns, true);
            a.redraw();
            endFrame();
            view.setPhase(3);
            break;
        case 4:
            b.fillReceiverBases(window.random, stop);
            recordBases(b, protocol.columns, false);
            b.redraw();
            endFrame();
            view.setPhase(5);
            break;
        case 5:
            photons();
            break;
        case 6:
            announceBases();
            break;
        case 7:
            dropKeyRows();
            break;
        case 8:
            markSender();
            break;
        case 9:
            sendColumnNumbers();
            break;
        case 10:
            markReceiver();
            break;
        case 11:
            erase();
            break;
        case checkingErrors:
            checkErrors();
            break;
        case counting:
            countRounds();
            break;
        default:
            view.setPhase(finished);
            break;
        }
    }
    // The finished tables have no polarization rows; nothing else would draw
    // them again until the pointer or an exposure does.
    a.redraw();
    b.redraw();
    view.redraw();
    for (Fl_Widget* w : lockedDuringRun) w->activate();
}

// Three sweeps of the pulsing text; Return is looked at only between sweeps, a
// closed window ends the sweep at once.
void Run::generate(int next) {
    view.generationTime = 0;
    for (;;) {
        if (stopRequested()) {
            break;
        }
        if (view.generationTime >= generationEnd) {
            break;
        }
        for (view.pulseAngle = sweepStart; view.pulseAngle <= sweepEnd;
             view.pulseAngle += sweepStep) {
            view.generationTime = static_cast<float>(view.generationTime + generationStep);
            stepView();
            if (!window.visible()) {
                break;
            }
        }
    }
    view.setPhase(next);
}

void Run::photons() {
    for (keyColumn = 0; keyColumn < keyColumns; ++keyColumn) {
        if (stopRequested()) {
            break;
        }
        const int i = static_cast<int>(keyColumn);
        view.detection.diagonalResult = false;
        a.shownIndex = i;
        view.photonX = photonStart;

        window.random.next();
        a.currentIndex = i;
        a.recordSenderBit(window.random, i);
        view.detection.analyzerAngle = b.baseSymbol(i) == '0' ? 0 : 45;
        KeyColumnRecord& record = protocol.columns[i];
        record.aBit = window.random.value() == 0 ? 0 : 1;
        view.sentState = stateOf(a.baseSymbol(i) == '0' ? 0 : 1, record.aBit);
        record.sentState = view.sentState;
        a.sentStates[i] = view.sentState;
        a.redraw();
        endFrame();

        while (view.photonX <= photonEnd && !stopRequested()) {
            // Eve measures as the photon reaches her, so that the frame drawn
            // there already shows the photon she sent on.
            if (protocol.eve && record.eveState < 0 && view.photonX >= eveStationX) {
                protocol.intercept(i, window.eveRandom);
                window.eveStrip->redraw();
            }
            stepView();
            view.spinAngle = static_cast<float>(view.spinAngle + speed() * spinStep);
            if (view.photonX >= measuredAt && !view.detection.detected) {
                view.detection.detected = true;
                measureAtReceiver(window);
            }
            view.photonX = static_cast<float>(view.photonX + speed() * flightStep);
        }
        view.detection.detected = false;
        view.redraw();
        b.redraw();
        endFrame();
    }
    view.setPhase(6);
}

void Run::announceBases() {
    view.lampLevel = 1.0f;
    view.photonX = announceFirst;
    for (keyColumn = 0; keyColumn < keyColumns; ++keyColumn) {
        if (stopRequested()) {
            break;
        }
        const int i = static_cast<int>(keyColumn);
        b.bases[i].colour.setGrey();
        b.redraw();
        while (view.photonX >= announceEnd && !stopRequested()) {
            stepView();
            view.photonX = static_cast<float>(view.photonX - speed() * flightStep);
        }
        view.photonX = announceStart;
        KeyColumnRecord& record = protocol.columns[i];
        record.kept = record.aBase >= 0 && record.aBase == record.bBase;
        if (record.kept) {
            a.bases[i].colour.setRed();
        } else {
            a.bases[i].colour.setGrey();
        }
        a.redraw();
        frameStep();
    }
    view.setPhase(7);
}

void Run::dropKeyRows() {
    view.lampLevel = 0.4f;
    view.redraw();
    a.keyDrop = keyDropStart;
    a.copyBitsToKey();
    b.copyBitsToKey();
    while (a.keyDrop >= 0 && !stopRequested()) {
        a.redraw();
        b.redraw();
        frameStep();
        a.keyDrop = static_cast<float>(a.keyDrop - keyDropStep);
    }
    view.setPhase(8);
}

void Run::markSender() {
    for (keyColumn = 0; keyColumn < keyColumns; ++keyColumn) {
        if (stopRequested()) {
            break;
        }
        const int i = static_cast<int>(keyColumn);
        if (protocol.columns[i].kept) {
            a.numbers[i].colour.setRed();
            a.key[i].colour.setGold();
        } else {
            a.key[i].colour.setGrey();
        }
        a.redraw();
        stepView();
    }
    view.setPhase(9);
}

void Run::sendColumnNumbers() {
    view.lampLevel = 1.0f;
    view.photonX = announceEnd;
    for (keyColumn = 0; keyColumn < keyColumns; ++keyColumn) {
        if (stopRequested()) {
            break;
        }
        const int i = static_cast<int>(keyColumn);
        if (protocol.columns[i].kept) {
            flyToB();
            b.numbers[i].colour.setRed();
            b.redraw();
            frameStep();
        } else {
            a.numbers[i].colour.setGrey();
            b.numbers[i].colour.setGrey();
            stepTables();
        }
    }
    view.setPhase(10);
}

void Run::markReceiver() {
    view.lampLevel = 0.4f;
    view.redraw();
    for (keyColumn = 0; keyColumn < keyColumns; ++keyColumn) {
        if (stopRequested()) {
            break;
        }
        const int i = static_cast<int>(keyColumn);
        if (protocol.columns[i].kept) {
            b.key[i].colour.setGold();
        } else {
            b.key[i].colour.setGrey();
        }
        b.redraw();
        stepView();
    }
    view.setPhase(11);
}

void Run::erase() {
    for (keyColumn = 0; keyColumn < keyColumns; ++keyColumn) {
        if (stopRequested()) {
            break;
        }
        const int i = static_cast<int>(keyColumn);
        if (!protocol.columns[i].kept) {
            a.key[i].colour.setBlack();
            b.key[i].colour.setBlack();
            stepTables();
        }
    }
    view.setPhase(checkingErrors);
}

void Run::flyToB() {
    view.photonX = announceEnd;
    while (view.photonX <= announceStart && !stopRequested()) {
        stepView();
        view.photonX = static_cast<float>(view.photonX + speed() * flightStep);
    }
    view.photonX = announceEnd;
}

void Run::flyToA() {
    view.photonX = announceStart;
    while (view.photonX >= announceEnd && !stopRequested()) {
        stepView();
        view.photonX = static_cast<float>(view.photonX - speed() * flightStep);
    }
}

void Run::markCompared(int i) {
    protocol.compare(i);
    const Color mark = compareMark(protocol.columns[i].error);
    a.bits[i].colour = mark;
    b.bits[i].colour = mark;
    a.redraw();
    b.redraw();
    stepView();
}

// A announces the bits of half the kept columns, B answers with his; each pair
// is marked, and the compared bits leave the key. Then the verdict.
void Run::checkErrors() {
    int chosen[keyColumns];
    const int n = protocol.chooseCompared(window.sampling, chosen);
    view.lampLevel = 1.0f;
    bool complete = true;
    for (int j = 0; j < n; ++j) {
        if (stopRequested()) {
            complete = false;
            break;
        }
        keyColumn = static_cast<unsigned>(chosen[j]);
        protocol.answering = false;
        flyToB();
        protocol.answering = true;
        flyToA();
        markCompared(chosen[j]);
    }
    view.lampLevel = 0.4f;
    if (complete && !stopRequested()) {
        protocol.decide();
        // A difference means the photons were disturbed: nothing of the key is kept.
        for (int i = 0; i < keyColumns; ++i) {
            if (keyBitStatus(protocol, i) == KeyBitStatus::discarded) {
                a.key[i].colour.setGrey();
                b.key[i].colour.setGrey();
            }
        }
        a.redraw();
        b.redraw();
        stepView();
    }
    view.setPhase(finished);
}

// No animation: whole rounds straight from the draws; the totals are shown
// every few rounds, which is also where Stop and Return are served.
void Run::countRounds() {
    for (int r = 0; r < countedRounds && !stopRequested(); ++r) {
        addRound(playRound(window.random, window.eveRandom, window.sampling, protocol.eve),
                 protocol.totals);
        if ((r + 1) % roundsPerShow == 0) {
            stepView();
        }
    }
    view.setPhase(finished);
}

}  // namespace

void resetTables(Bb84Window& window) {
    for (KeyTableView* table : {static_cast<KeyTableView*>(window.sender),
                                static_cast<KeyTableView*>(window.receiver)}) {
        for (int i = 0; i < keyColumns; ++i) {
            table->numbers[i].colour.setWhite();
            for (KeyCell* cell : {&table->bits[i], &table->bases[i], &table->key[i]}) {
                cell->symbol = ' ';
                cell->colour.setWhite();
            }
        }
        table->redraw();
    }
    // Last run's polarizations would otherwise show in a column before its photon
    // is sent.
    window.sender->shownIndex = -1;
    for (int i = 0; i < keyColumns; ++i) {
        window.sender->sentStates[i] = -1;
        window.receiver->receivedStates[i] = -1;
    }
    endFrame();
}

void measureAtReceiver(Bb84Window& window) {
    Bb84View& view = *window.view;
    SenderTableView& a = *window.sender;
    ReceiverTableView& b = *window.receiver;
    KeyProtocol& protocol = window.protocol;
    const int i = static_cast<int>(keyColumn);
    KeyColumnRecord& record = protocol.columns[i];

    // B measures the photon that reaches him: A's, or the one Eve sent on.
    const int photon = protocol.arriving(i);
    if (basisOf(photon) == record.bBase) {
        if (protocol.eve) {
            b.bits[i].symbol = static_cast<char>('0' + bitOf(photon));
        } else {
            b.bits[i] = a.bits[i];
        }
        record.receivedState = photon;
    } else {
        window.random.next();
        b.recordReceiverBit(window.random, a.currentIndex);
        record.receivedState = measure(photon, record.bBase, window.random.value() == 0 ? 0 : 1);
    }
    record.bBit = bitOf(record.receivedState);
    b.receivedStates[i] = record.receivedState;

    const bool baseZero = b.baseSymbol(i) == '0';
    const bool bitZero = b.bitSymbol(i) == '0';
    if (baseZero) {
        view.detection.resultColour.select(bitZero ? 0 : 2);
    } else {
        view.detection.resultColour.select(bitZero ? 1 : 3);
        view.detection.diagonalResult = true;
    }
}

void startKeyDistribution(Fl_Widget* widget, void*) {
    Bb84Window* window = bb84Window;
    if (widget) {
        Fl_Widget* top = widget->as_window() ? widget : widget->window();
        if (Bb84Window* owner = dynamic_cast<Bb84Window*>(top)) {
            window = owner;
        }
    }
    if (!window || !window->view || !window->sender || !window->receiver || window->running) {
        return;
    }
    WindowUse use(*window);
    window->running = true;
    Run(*window).play();
    window->running = false;
}
