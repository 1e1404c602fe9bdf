// The registry's pointers and the helpers every demonstration's launcher and
// Return callback share.
#include "app/registry.h"

#include "app/menu_previews.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include <map>

MainWindow* mainWindow = nullptr;
IntroView* introView = nullptr;
MenuWindow* menuWindow = nullptr;
BellPreview* bellPreview = nullptr;
TeleportPreview* teleportPreview = nullptr;
Bb84Preview* bb84Preview = nullptr;
BellWindow* bellWindow = nullptr;
BellView* bellView = nullptr;
TeleportWindow* teleportWindow = nullptr;
TeleportView* teleportView = nullptr;
Bb84Window* bb84Window = nullptr;
Bb84View* bb84View = nullptr;
SenderTableView* senderTable = nullptr;
ReceiverTableView* receiverTable = nullptr;

void refreshPreviews() {
    if (bellPreview) bellPreview->redraw();
    if (teleportPreview) teleportPreview->redraw();
    if (bb84Preview) bb84Preview->redraw();
    Fl::check();
}

bool raiseIfShown(Fl_Window* window) {
    if (!window || !window->shown() || !window->visible()) {
        return false;
    }
    // show() on a shown window raises it and gives it the focus.
    window->show();
    return true;
}

namespace {

struct Uses {
    int count = 0;
    bool reclaim = false;
};

// Only windows in use have an entry.
std::map<Fl_Window*, Uses> windowUses;

}  // namespace

WindowUse::WindowUse(Fl_Window& used) : window(used) { ++windowUses[&window].count; }

WindowUse::~WindowUse() {
    auto entry = windowUses.find(&window);
    if (--entry->second.count > 0) {
        return;
    }
    const bool reclaim = entry->second.reclaim;
    windowUses.erase(entry);
    if (reclaim) {
        Fl::delete_widget(&window);
    }
}

void reclaimWindow(Fl_Window* window) {
    if (!window) {
        return;
    }
    auto entry = windowUses.find(window);
    if (entry == windowUses.end()) {
        // Deferred by the toolkit until the current callback has returned.
        Fl::delete_widget(window);
    } else {
        entry->second.reclaim = true;
    }
}
