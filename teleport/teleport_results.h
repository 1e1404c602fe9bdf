// The teleportation's results as a table to save: the facts of the last run,
// or the Repeat tally per result of Alice's with "output = input".
#pragma once

#include "scene/result_table.h"

class TeleportExperiment;

// Whatever the model holds now: during a run, what it has not decided yet
// stays empty.
ResultTable teleportResults(const TeleportExperiment& experiment, const ResultStamp& stamp);
