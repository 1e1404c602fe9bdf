// The table of demonstrations and the menu's launchers.
#include "app/demonstrations.h"

#include "app/menu_previews.h"
#include "app/menu_window.h"
#include "app/presenter_keys.h"
#include "app/registry.h"
#include "bb84/bb84_view.h"
#include "bb84/bb84_window.h"
#include "bb84/key_tables.h"
#include "bell/bell_view.h"
#include "bell/bell_window.h"
#include "teleport/teleport_view.h"
#include "teleport/teleport_window.h"
#include "ui/window_use.h"

#include <FL/Fl_Light_Button.H>

namespace {

// Every launcher the same way: raise a shown window, or build, record and show
// a new one and reclaim the one it replaces.
template <class Window>
void launch(Window*& current, Window* (*build)(), void (*record)(Window&)) {
    if (raiseIfShown(current)) {
        return;
    }
    Window* previous = current;
    Window* window = build();
    current = window;
    record(*window);
    nameKeysInTooltips(*window);
    window->show();
    reclaimWindow(previous);
}

template <class Window>
Window* windowOf(Fl_Window& window) {
    return dynamic_cast<Window*>(&window);
}

bool bellKeys(Fl_Window& window, KeyButtons& b) {
    auto* bell = windowOf<BellWindow>(window);
    if (!bell) return false;
    b.start = bell->startButton;
    b.stop = bell->stopButton;
    b.pause = bell->pauseButton;
    b.count = bell->countButton;
    b.local = bell->localButton;
    b.leave = bell->returnButton;
    b.save = bell->saveButton;
    b.lessonButton = bell->lesson.button;
    b.lesson = &bell->lesson;
    return true;
}

bool teleportKeys(Fl_Window& window, KeyButtons& b) {
    auto* teleport = windowOf<TeleportWindow>(window);
    if (!teleport) return false;
    b.start = teleport->startButton;
    b.stop = teleport->stopButton;
    b.message = teleport->messageButton;
    b.repeat = teleport->repeatButton;
    b.leave = teleport->returnButton;
    b.save = teleport->saveButton;
    b.lessonButton = teleport->lesson.button;
    b.lesson = &teleport->lesson;
    return true;
}

bool bb84Keys(Fl_Window& window, KeyButtons& b) {
    auto* bb84 = windowOf<Bb84Window>(window);
    if (!bb84) return false;
    b.start = bb84->startButton;
    b.stop = bb84->stopButton;
    b.polarization = bb84->polButton;
    b.eavesdropper = bb84->eveButton;
    b.count = bb84->countButton;
    b.leave = bb84->returnButton;
    b.save = bb84->saveButton;
    b.lessonButton = bb84->lesson.button;
    b.lesson = &bb84->lesson;
    return true;
}

SceneView* makeBellPreview(int x, int y, int w, int h) { return bellPreview = new BellPreview(x, y, w, h); }
SceneView* makeTeleportPreview(int x, int y, int w, int h) {
    return teleportPreview = new TeleportPreview(x, y, w, h);
}
SceneView* makeBb84Preview(int x, int y, int w, int h) { return bb84Preview = new Bb84Preview(x, y, w, h); }
SceneView* currentBellPreview() { return bellPreview; }
SceneView* currentTeleportPreview() { return teleportPreview; }
SceneView* currentBb84Preview() { return bb84Preview; }

}  // namespace

const Demonstration kDemonstrations[3] = {
    {"Violation of a Bell inequality", 50, 270, 440, 50, 120, 60, &MenuWindow::bellFrame,
     &MenuWindow::bellCaption, &MenuWindow::bellButton, makeBellPreview, currentBellPreview, showBellWindow, bellKeys},
    {"Quantum teleportation", 560, 270, 360, 50, 590, 60, &MenuWindow::teleportFrame,
     &MenuWindow::teleportCaption, &MenuWindow::teleportButton, makeTeleportPreview, currentTeleportPreview,
     showTeleportWindow,
     teleportKeys},
    {"BB84 quantum key distribution protocol", 10, 570, 600, 50, 120, 360, &MenuWindow::bb84Frame,
     &MenuWindow::bb84Caption, &MenuWindow::bb84Button, makeBb84Preview, currentBb84Preview, showBb84Window, bb84Keys},
};

void redrawPreviews() {
    for (const Demonstration& row : kDemonstrations) {
        if (SceneView* preview = row.preview()) {
            preview->redraw();
        }
    }
}

void showBellWindow(Fl_Widget*, void*) {
    launch<BellWindow>(bellWindow, buildBellWindow, [](BellWindow& window) { bellView = window.view; });
}

void showTeleportWindow(Fl_Widget*, void*) {
    launch<TeleportWindow>(teleportWindow, buildTeleportWindow,
                           [](TeleportWindow& window) { teleportView = window.view; });
}

void showBb84Window(Fl_Widget*, void*) {
    launch<Bb84Window>(bb84Window, buildBb84Window, [](Bb84Window& window) {
        bb84View = window.view;
        senderTable = window.sender;
        receiverTable = window.receiver;
    });
}
