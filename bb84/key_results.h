// The key distribution's results as a table to save: the columns of the last
// animated run, or the totals of a counting run beside what to expect of Eve.
#pragma once

#include "scene/result_table.h"

class KeyDistribution;

// Whatever the model holds now, also during a run: undecided cells stay empty.
ResultTable keyResults(const KeyDistribution& model, const ResultStamp& stamp);
