// Start-up and the two stages of the program: the title screen under its own
// loop, then the toolkit's event loop serving the menu and the demonstrations.
#pragma once

// Builds and shows the title screen (the main window and its introduction view).
void buildMainWindow();

// Animates the introduction while the title screen is up; returns once "Go" or
// "Exit" ended it, or the window was closed.
void runTitleLoop();

// The whole program; returns the exit status.
int runProgram();
