// The key-distribution run. Every loop tests Return (and whether the window is
// still shown) so that the run can always be ended within a few frames; the
// Speed slider is read afresh wherever a flight advances.
#include "bb84/key_distribution_run.h"

#include "app/registry.h"
#include "bb84/bb84_view.h"
#include "bb84/bb84_window.h"
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
constexpr int finished = 12;

class Run {
public:
    explicit Run(Bb84Window& w)
        : window(w), view(*w.view), a(*w.sender), b(*w.receiver) {}

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

    Bb84Window& window;
    Bb84View& view;
    SenderTableView& a;
    ReceiverTableView& b;
};

void Run::play() {
    window.startButton->deactivate();
    window.polButton->deactivate();
    window.stopButton->value(0);
    resetTables(window);
    window.random.reseed();
    window.random.setModulus(2);
    view.detection.detected = false;
    view.setPhase(1);

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
            a.redraw();
            endFrame();
            view.setPhase(3);
            break;
        case 4:
            b.fillReceiverBases(window.random, stop);
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
        default:
            view.setPhase(finished);
            break;
        }
    }
    // The finished tables have no polarization rows; nothing else would draw
    // them again until the pointer or an exposure does.
    a.redraw();
    b.redraw();
    window.startButton->activate();
    window.polButton->activate();
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
        const int bit = window.random.value() == 0 ? 0 : 1;
        view.sentState = (a.baseSymbol(i) == '0' ? 0 : 2) + bit;
        a.sentStates[i] = view.sentState;
        a.redraw();
        endFrame();

        while (view.photonX <= photonEnd && !stopRequested()) {
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
        if (a.baseSymbol(i) == b.baseSymbol(i)) {
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
        if (a.bases[i].colour.getR() == 1) {
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
        if (a.numbers[i].colour.getG() == 0) {
            while (view.photonX <= announceStart && !stopRequested()) {
                stepView();
                view.photonX = static_cast<float>(view.photonX + speed() * flightStep);
            }
            view.photonX = announceEnd;
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
        if (b.numbers[i].colour.getR() == 1) {
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
        if (a.numbers[i].colour.getR() != 1) {
            a.key[i].colour.setBlack();
            b.key[i].colour.setBlack();
            stepTables();
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
    const int i = static_cast<int>(keyColumn);

    if (a.baseSymbol(i) == b.baseSymbol(i)) {
        b.bits[i] = a.bits[i];
        b.receivedStates[i] = view.sentState;
    } else {
        window.random.next();
        b.recordReceiverBit(window.random, a.currentIndex);
        const bool zero = window.random.value() == 0;
        if (view.sentState == 0 || view.sentState == 1) {
            b.receivedStates[i] = zero ? 2 : 3;
        } else {
            b.receivedStates[i] = zero ? 0 : 1;
        }
    }

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
