// Summaries of repeated measurements and the rows of the benchmark table that
// every benchmark program prints, so that all figures are summarised one way.
#pragma once

#include <string>
#include <vector>

// Which way a figure improves: times, CPU and memory go down, rates go up.
enum class Better { Lower, Higher };

// A figure's target: at most or at least `limit` (its median is compared).
struct Target {
    enum Kind { None, AtMost, AtLeast } kind = None;
    double limit = 0;

    // "<=8", ">=50000" or "" (no target); false for anything else.
    static bool parse(const std::string& text, Target& target);
    std::string text() const;
    bool metBy(double median) const;
};

struct Figure {
    std::string name;
    std::string unit;
    Better better = Better::Lower;
    Target target;
};

// The value below which `share` (0..1) of the samples lie, interpolating
// linearly between neighbouring ranks; NaN without samples.
double percentile(std::vector<double> samples, double share);

// The 95th percentile on the slow side: for a rate the value that 95 % of the
// runs reached or beat, for everything else the value 95 % stayed within.
double slowSide95(const std::vector<double>& samples, Better better);

// Numbers as the table shows them: three significant figures or whole units.
std::string formatValue(double value);

// The CSV header and one row: figure,unit,median,p95,target,met,samples.
std::string csvHeader();
std::string csvRow(const Figure& figure, const std::vector<double>& samples);
