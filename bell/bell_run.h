// The Bell experiment run: random detector settings, results with the
// probabilities of the entangled pair, coincidence counts, and the animation.
#pragma once

class BellWindow;
class Fl_Widget;

// Start's callback: runs as many pairs as Experiment asks, on the window that is
// current when Start is pressed, and returns when the last pair is done or that
// window is no longer shown.
void startRun(Fl_Widget* = nullptr, void* = nullptr);

// The result (0 (+,+), 1 (+,-), 2 (-,+), 3 (-,-)) of a pair whose detectors differ
// by `angleDifference` degrees, for a fraction u from the random source.
int outcomeFor(float u, int angleDifference);

// Draws one pair's settings and result on the window's random source and counts it.
void choosePair(BellWindow& window);
