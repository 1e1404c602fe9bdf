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
