// Telling Escape from the window manager's close in a window's callback.
#include "ui/escape_key.h"

#include <FL/Fl.H>

bool escapeKeyEvent() { return Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape; }
