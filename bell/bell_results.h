// The Bell experiment's results as a table to save: the 36 counters, Performed,
// the three values of the inequality, the verdict's sigma and the mode.
#pragma once

#include "scene/result_table.h"

class BellExperiment;

// What the counters show now, also during a run: a pair under way is counted
// in the model before its animation ends, and is left out here as the window
// leaves it out, so that the counters add up to Performed.
ResultTable bellResults(const BellExperiment& experiment, const ResultStamp& stamp);
