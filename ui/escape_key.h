// Escape and the window manager's close both reach a window's callback. Escape in
// a demonstration is its Return, but on the title screen or the menu it would end
// the program at once: a second Escape after leaving a demonstration would end
// the lesson. Those windows ask this and ignore the key.
#pragma once

// True while the event being handled is the Escape key.
bool escapeKeyEvent();
