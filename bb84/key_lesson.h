// The key distribution told as a lesson: where a run stops to explain a stage,
// and what the caption says there. Read from the model only; no widgets.
#pragma once

#include "scene/lesson_caption.h"

class KeyDistribution;

// The stops of a run, in the order a run reaches them; Eve's station is passed
// only when she listens. A counting run has none.
enum KeyLessonStop : int {
    playsOn = 0,
    basesOfAStop = 1,
    basesOfBStop,
    sendingStop,
    eveStationStop,
    basesComparedStop,
    keyRowsStop,
    siftingStop,
    errorCheckStop,
    verdictStop,
};

// The stop the run stands at after its last step; playsOn between the starts of
// two stages and throughout a counting run.
int keyLessonStop(const KeyDistribution& model);
// The caption of a stop, worded for the run as it stands (Eve, Pol., the check).
LessonCaption keyLessonCaption(const KeyDistribution& model, int stop);
// After a counting run: how to read its totals. Other runs end on the verdict.
LessonCaption keyLessonEnd(const KeyDistribution& model);
