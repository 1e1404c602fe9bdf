// Building the key-distribution window and its control callbacks.
#include "bb84/bb84_window.h"

#include "bb84/bb84_view.h"
#include "bb84/eve_strip.h"
#include "bb84/key_results.h"
#include "bb84/key_tables.h"
#include "ui/result_saving.h"
#include "ui/window_use.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Light_Button.H>
#include <FL/Fl_Value_Slider.H>

#include <string>

namespace {

Fl_Light_Button* additionButton(int x, int y, int w, int h, const char* label,
                                Fl_Color colour, int labelSize) {
    auto* button = new Fl_Light_Button(x, y, w, h, label);
    button->color(colour);
    button->labelfont(9);
    button->labelsize(labelSize);
    button->selection_color(1);
    return button;
}

}  // namespace

Bb84Window::~Bb84Window() {
    delete returnButton;
    delete startButton;
    delete stopButton;
    delete speedSlider;
    delete polButton;
    // Eve, Count and Eve's strip go with their group.
    delete background;
}

KeyControls Bb84Window::controls() const {
    KeyControls c;
    c.returnHeld = returnButton->value() == 1;
    c.speed = speedSlider->value();
    c.eve = eveButton->value() != 0;
    c.count = countButton->value() != 0;
    if (view) c.eveShare = view->eveShare();
    return c;
}

int Bb84Window::handle(int event) {
    // Taken as shortcuts, after the focused widget has passed them on.
    if (event == FL_SHORTCUT && view && !(Fl::event_state() & (FL_CTRL | FL_ALT | FL_META))) {
        const int key = Fl::event_key();
        const char* text = Fl::event_text();
        const bool down = key == '-' || key == FL_KP + '-';
        const bool up = key == FL_KP + '+' || key == '=' || (text && text[0] == '+');
        if ((down || up) && view->stepEveShare(down ? -1 : 1)) return 1;
    }
    return ScaledWindow::handle(event);
}

void buildBb84Controls(Bb84Window& window) {
    // The first controls keep their places. Eve's notebook runs along the
    // bottom under the tables' 32 columns, one entry under each, with her light
    // in the label column at its left; Count sits in the control column between
    // Start and Return; Lesson and Save side by side in the gap between Pol.
    // and the Speed slider.
    window.background = new AdditionsGroup(10, 10, 1004, 758);
    window.eveButton = additionButton(12, 737, 61, 28, "Eve",
                                      fl_rgb_color(static_cast<uchar>(eveRed * 255),
                                                   static_cast<uchar>(eveGreen * 255),
                                                   static_cast<uchar>(eveBlue * 255)),
                                      20);
    window.eveButton->callback(toggleEavesdropper, &window);
    window.countButton = additionButton(901, 672, 100, 19, "Count", 62, 16);
    window.eveStrip = new EveStrip(window.model.protocol, 75, 737, 931, 28);
    window.lesson.build(891, 486, 66, 13, 12);
    window.saveButton = buildSaveButton(959, 486, 52, 13, 12, saveKeyResults, &window);
    window.background->end();
    window.background->recordDesign();

    window.polButton = new Fl_Light_Button(901, 445, 100, 40, "Pol.");
    window.polButton->color(4);
    window.polButton->labelfont(9);
    window.polButton->labelsize(30);
    window.polButton->labelcolor(3);
    window.polButton->selection_color(1);
    window.polButton->callback(togglePolarizationStyle, &window);

    window.speedSlider = new Fl_Value_Slider(891, 500, 120, 30, "");
    window.speedSlider->label("Speed");
    window.speedSlider->type(FL_HOR_NICE_SLIDER);
    window.speedSlider->color(3);
    window.speedSlider->labelfont(9);
    window.speedSlider->labelsize(20);
    window.speedSlider->value(0.5);

    window.stopButton = new Fl_Light_Button(901, 560, 100, 40, "Stop");
    window.stopButton->color(62);
    window.stopButton->labelfont(9);
    window.stopButton->labelsize(30);
    window.stopButton->selection_color(1);
    window.stopButton->callback(holdKeyDistribution, &window);

    window.startButton = new Fl_Button(891, 610, 117, 60, "Start");
    window.startButton->color(61);
    window.startButton->labelfont(9);
    window.startButton->labelsize(36);
    window.startButton->labeltype(FL_ENGRAVED_LABEL);
    window.startButton->callback(startKeyDistribution, &window);

    window.returnButton = new Fl_Button(901, 692, 100, 40, "Return");
    window.returnButton->color(1);
    window.returnButton->labelfont(9);
    window.returnButton->labelsize(28);
    window.returnButton->callback(leaveKeyDistribution, &window);
}

Bb84Window* buildBb84Window() {
    auto* window = new Bb84Window(1024, 768);
    window->color(239, 49);
    window->label("The BB84 Protocol");
    // Escape and the window manager's close act as Return.
    window->callback(leaveKeyDistribution, window);
    buildBb84Controls(*window);
    window->eveButton->tooltip(
        "an eavesdropper on the quantum channel\n"
        "her share of the photons: the scene's \"Eve listens\" slider, keys - and +");

    window->view = new Bb84View(window->model, 12, 443, 869, 290);
    window->view->redraw();
    window->sender = new SenderTableView(window->model, 12, 14, 997, 211);
    window->sender->redraw();
    window->receiver = new ReceiverTableView(window->model, 12, 225, 997, 210);
    window->receiver->redraw();
    window->lesson.attach(*window->view, *window->startButton);

    window->end();
    return window;
}

// The light itself holds a run: the run driver waits between two frames while
// it is on. Outside a run there is nothing to hold.
void holdKeyDistribution(Fl_Widget*, void*) {}

void togglePolarizationStyle(Fl_Widget*, void* data) {
    // Registered with the window as user data; a plain call has none.
    if (!data) {
        return;
    }
    Bb84Window& window = *static_cast<Bb84Window*>(data);
    window.model.linearDiagonal = window.polButton->value() == 0;
}

void toggleEavesdropper(Fl_Widget*, void* data) {
    if (!data) {
        return;
    }
    Bb84Window& window = *static_cast<Bb84Window*>(data);
    if (window.running) {
        return;
    }
    window.model.protocol.eve = window.eveButton->value() != 0;
    window.view->redraw();
    window.eveStrip->redraw();
}

void leaveKeyDistribution(Fl_Widget*, void* data) {
    if (!data) {
        return;
    }
    Bb84Window& window = *static_cast<Bb84Window*>(data);
    window.view->hide();
    window.hide();
    afterLeaving();
}

void saveKeyResults(Fl_Widget*, void* data) {
    // Registered with the window as user data; a plain call has none.
    if (data) {
        const KeyDistribution& model = static_cast<Bb84Window*>(data)->model;
        saveResults("bb84", [&model](const ResultStamp& stamp) { return keyResults(model, stamp); });
    }
}
