// The program-wide pointers to the current windows and views. Callbacks have no
// other way to reach them; a launcher that builds a window anew moves its pointers.
#pragma once

class Fl_Window;
class MainWindow;
class IntroView;
class MenuWindow;
class BellPreview;
class TeleportPreview;
class Bb84Preview;
class BellWindow;
class BellView;
class TeleportWindow;
class TeleportView;
class Bb84Window;
class Bb84View;
class SenderTableView;
class ReceiverTableView;

extern MainWindow* mainWindow;
extern IntroView* introView;
extern MenuWindow* menuWindow;
extern BellPreview* bellPreview;
extern TeleportPreview* teleportPreview;
extern Bb84Preview* bb84Preview;
extern BellWindow* bellWindow;
extern BellView* bellView;
extern TeleportWindow* teleportWindow;
extern TeleportView* teleportView;
extern Bb84Window* bb84Window;
extern Bb84View* bb84View;
extern SenderTableView* senderTable;
extern ReceiverTableView* receiverTable;

// What every demonstration's Return does after hiding its view and window: the
// three previews are drawn again (Bell, teleportation, BB84) and one event pass runs.
void refreshPreviews();

// A launch button whose demonstration window is still shown raises that window
// instead of building a second one. Returns true when it did so.
bool raiseIfShown(Fl_Window* window);

// Code on the stack that uses a demonstration window (its run, a Stop hold)
// keeps it alive for its own duration with one of these.
class WindowUse {
public:
    explicit WindowUse(Fl_Window& window);
    ~WindowUse();
    WindowUse(const WindowUse&) = delete;
    WindowUse& operator=(const WindowUse&) = delete;

private:
    Fl_Window& window;
};

// A launcher hands over the hidden window it replaces in the registry. It is
// deleted at the next event pass when nothing uses it, otherwise as soon as the
// last WindowUse of it ends, so memory stays flat over many visits.
void reclaimWindow(Fl_Window* window);
