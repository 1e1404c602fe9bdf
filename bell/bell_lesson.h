// The Bell experiment told as a lesson: where a run stops, and what each stop
// says. The first animated pair stops at each of its stages; the run then goes
// on as usual and stops once more when the verdict first shows a violation.
#pragma once

#include "scene/lesson_caption.h"

class BellExperiment;

// The stops in the order a run reaches them.
enum BellLessonStop {
    bellLaser = 1,        // the pump photon flies to the crystal
    bellPair = 2,         // the entangled pair leaves it
    bellSettings = 3,     // each detector's direction is drawn
    bellResults = 4,      // detected: the lamps show the results
    bellCounted = 5,      // the pair is in the counters and the row
    bellViolation = 6,    // the verdict first reaches 3 standard deviations
};

// The stop the experiment stands at: 0 where the lesson plays on.
int bellLessonStop(const BellExperiment& experiment);

// What a stop says, in the words of the rule the current pair follows.
LessonCaption bellLessonCaption(int stop, const BellExperiment& experiment);

// How to read the totals of a finished run.
LessonCaption bellLessonEnd(const BellExperiment& experiment);
