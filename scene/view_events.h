// Event handling shared by the experiment views.
#pragma once

class Fl_Gl_Window;

// Passes the event to the GL window's own handling and redraws the view after
// every event that used, and when the pointer leaves it (the pointer may have
// moved onto or off the description hot spot). Pointer events are reported as
// used; keys are left to the rest of the window, since claiming them would
// swallow the Escape that closes it whenever the pointer rests on the scene.
int handleViewEvent(Fl_Gl_Window& view, int event);
