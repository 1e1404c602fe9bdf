// The program-wide pointers to the current windows and views, for the title, the
// menu and whoever else asks which window is current. Callbacks reach their own
// window through their user data; the menu's launchers move these pointers.
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
