// The Bell experiment run: it drives the window's experiment pair by pair,
// shows the counts and animates the pairs.
#pragma once

#include "bell/bell_experiment.h"

class BellWindow;
class Fl_Widget;

// Start's callback: runs as many pairs as Experiment asks, on the window that is
// current when Start is pressed, and returns when the last pair is done or that
// window is no longer shown.
void startRun(Fl_Widget* = nullptr, void* = nullptr);

// One pair of the window's experiment, by the rule its Local light asks for now.
void choosePair(BellWindow& window);
