// The registry's pointers.
#include "app/registry.h"

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
