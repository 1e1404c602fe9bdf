// Raising, keeping and reclaiming demonstration windows, and the hook the
// program gives their Return.
#include "ui/window_use.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include <map>

namespace {

struct Uses {
    int count = 0;
    bool reclaim = false;
};

// Only windows in use have an entry.
std::map<Fl_Window*, Uses> windowUses;

void (*leaveAction)() = nullptr;

}  // namespace

bool raiseIfShown(Fl_Window* window) {
    if (!window || !window->shown() || !window->visible()) {
        return false;
    }
    // show() on a shown window raises it and gives it the focus.
    window->show();
    return true;
}

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

void afterLeaving() {
    if (leaveAction) {
        leaveAction();
    }
    Fl::check();
}

void setLeaveAction(void (*action)()) { leaveAction = action; }
