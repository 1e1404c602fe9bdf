// Start-up and per-context chores of the GL layer.
#pragma once

// freeglut exits on its first font or solid call unless it was initialised; called
// once at start-up (further calls do nothing).
void initGlut();

// Asks the current context's driver to swap at the display's refresh, where it
// offers that, so that runs advance at the display's rate instead of racing.
void requestVsync();
