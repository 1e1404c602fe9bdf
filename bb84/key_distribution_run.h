// The protocol run behind Start: bases, photons, announcement, sifting, erasing.
#pragma once

class Fl_Widget;
class Bb84Window;

// Start: plays the protocol for 32 photons and returns with the view in its
// finished stage (12). The run keeps to the window it was started in and ends at
// its next frame step once that window is no longer shown.
void startKeyDistribution(Fl_Widget* = nullptr, void* = nullptr);

// Clears both tables of a window for a new run, polarizations included.
void resetTables(Bb84Window& window);

// B's measurement of the photon in column keyColumn of a window's run.
void measureAtReceiver(Bb84Window& window);
