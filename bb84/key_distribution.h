// The key distribution as the class watches it: the protocol, both random
// sources, the stage of the run, where everything that moves stands, and what
// every cell of the two books shows. It steps one frame at a time; the window
// fills its controls before each step and draws what the step changed.
#pragma once

#include "bb84/key_protocol.h"
#include "scene/color.h"
#include "scene/frame_step.h"
#include "scene/random_source.h"
#include "scene/standard_random.h"

#include <optional>

// Where Eve's station stands on the quantum channel: halfway between A and B.
constexpr float eveStationX = -2.4f;

// What the window reads from its controls before each step.
struct KeyControls {
    // Return held down: every stage ends at its next test.
    bool returnHeld = false;
    // The Speed slider, 0..1: how far a flying photon or message moves a frame.
    double speed = 0.5;
    // Eve and Count, read when a run starts, and the share of the photons Eve
    // listens to (0 to 1 in steps of 0.05; 1 is every photon).
    bool eve = false;
    bool count = false;
    double eveShare = 1.0;
};

// What B's analyzer found for the photon in flight.
struct Detection {
    bool detected = false;
    bool diagonalResult = false;
    int analyzerAngle = 0;
    // The colour of the state B found (red, cyan, yellow, green by basis + 2 x bit).
    Color resultColour;
};

// The two books and their rows.
enum class Party { sender, receiver };
enum class KeyRow { numbers, bases, bits, key };
// The colours a cell is written in; the compared bits take green or red.
enum class CellTint { white, red, grey, gold, black, green };

struct CellShown {
    char symbol;
    CellTint tint;
};

// How far each later stage has come in a column: its cells are coloured from it.
struct ColumnMarks {
    bool announced = false;       // B's base went out on the classical channel
    bool sifted = false;          // A compared it with hers
    bool senderMarked = false;    // A marked her number and key bit
    bool numberSent = false;      // the column number reached B (or both greyed it)
    bool receiverMarked = false;  // B marked his key bit
    bool erased = false;          // the key bit of a discarded column was wiped
};

// Which views a step changed, for the window to redraw.
enum KeyRedraw : unsigned {
    redrawScene = 1,
    redrawSender = 2,
    redrawReceiver = 4,
    redrawNotebook = 8,
};

class KeyDistribution {
public:
    KeyProtocol protocol;
    // A's and B's draws, in the order the run has always made them.
    RandomSource random;
    // Eve's choices, A's choice of the compared columns and counted rounds draw
    // from a generator of their own, so that A's and B's draws keep their order.
    StandardRandom additions;
    // Whether Eve listens to a photon, apart from all of the above.
    EveChoice eveChoice;
    KeyControls controls;

    KeyPhase phase = beforeFirstRun;
    // The column the current stage works on; 32 once a stage has passed them all.
    unsigned keyColumn = 0;
    // Polarizations are shown up to this column (-1: none yet).
    int shownIndex = -1;
    int currentIndex = 0;
    // The photon in flight, as A sent it.
    int sentState = -1;
    int pulseAngle = 270;
    float lampLevel = 0.4f;
    float generationTime = 0;
    float photonX = 0;
    float spinAngle = 0;
    // Both books drop their key rows by this offset.
    float keyDrop = 0;
    Detection detection;
    // The second basis drawn as linear at +-45 degrees (else circular).
    bool linearDiagonal = true;
    ColumnMarks marks[keyColumns];
    // The bits were copied into A's (0) and B's (1) key row.
    bool keyCopied[2] = {false, false};

    // Arms a run: the next step clears the books; the run then plays the
    // protocol for 32 photons, or counts rounds when Count is lit.
    void startRun();
    // One frame step of the run; Finished once it has reached its last stage.
    FrameEnd step();
    // A run that ended early (its window closed) stands finished all the same.
    void endRun();
    // The views the steps since the last call changed; clears the record.
    unsigned takeRedraws();

    // What a cell of a book shows now; the numbers row gives only its colour.
    CellShown cell(Party party, KeyRow row, int column) const;
    // The photon drawn at the current column: past Eve's station, hers.
    int photonInFlight() const;

private:
    // Where the run stands between two steps: the stage's phase says which
    // stage, the part where in it the next step goes on.
    enum class Part {
        idle,
        opening,
        seeding,
        entering,
        loopTop,
        afterFrame,
        bitShown,
        flightBegins,
        inFlight,
        measuredFresh,
        flown,
        copiedA,
        copiedB,
        toB,
        answerBegins,
        toA,
        closing,
    };

    void enter(int next);
    void redraw(unsigned views) { redraws |= views; }
    bool stopRequested() const { return controls.returnHeld; }
    std::optional<FrameEnd> advance();

    std::optional<FrameEnd> generate(int next);
    std::optional<FrameEnd> fillBases(Party party);
    std::optional<FrameEnd> sendPhoton();
    bool measureAtReceiver();
    std::optional<FrameEnd> announceBases();
    std::optional<FrameEnd> dropKeyRows();
    std::optional<FrameEnd> markColumns(KeyPhase next);
    std::optional<FrameEnd> sendColumnNumbers();
    std::optional<FrameEnd> erase();
    std::optional<FrameEnd> checkErrors();
    std::optional<FrameEnd> countRounds();
    // The columns of a stage whose messages fly: the stage's start when it is
    // entered, the next column after a finished one; false, with the next stage
    // entered, once the columns are done or Return is held.
    bool columnGoesOn(float startX, int next);
    // One frame of a message on the classical channel: after a drawn frame it
    // moves on by the Speed, then says whether another frame is drawn.
    bool messageFlies(bool moved, double direction, float limit);

    Part part = Part::idle;
    unsigned redraws = 0;
    int chosen[keyColumns] = {};
    int chosenCount = 0;
    int chosenIndex = 0;
    bool checkComplete = true;
    int roundsCounted = 0;
};

// Decimal text of the last integer draw, kept in the source's valueText.
void formatValueText(RandomSource& random);
