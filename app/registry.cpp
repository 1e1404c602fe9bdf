// The registry's pointers and the menu's previews drawn again.
#include "app/registry.h"

#include "app/menu_previews.h"

#include <FL/Fl.H>

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

void redrawPreviews() {
    if (bellPreview) bellPreview->redraw();
    if (teleportPreview) teleportPreview->redraw();
    if (bb84Preview) bb84Preview->redraw();
}

void refreshPreviews() {
    redrawPreviews();
    Fl::check();
}

