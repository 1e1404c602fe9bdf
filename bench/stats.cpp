// Percentiles, target checks and CSV rows of the benchmark table.
#include "bench/stats.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

bool Target::parse(const std::string& text, Target& target) {
    target = Target();
    if (text.empty()) {
        return true;
    }
    if (text.size() < 3 || text[1] != '=' || (text[0] != '<' && text[0] != '>')) {
        return false;
    }
    const char* begin = text.c_str() + 2;
    char* end = nullptr;
    const double limit = std::strtod(begin, &end);
    if (end == begin || *end != '\0' || !std::isfinite(limit)) {
        return false;
    }
    target.kind = text[0] == '<' ? AtMost : AtLeast;
    target.limit = limit;
    return true;
}

std::string Target::text() const {
    switch (kind) {
    case AtMost: return "<= " + formatValue(limit);
    case AtLeast: return ">= " + formatValue(limit);
    default: return "";
    }
}

bool Target::metBy(double median) const {
    switch (kind) {
    case AtMost: return median <= limit;
    case AtLeast: return median >= limit;
    default: return true;
    }
}

double percentile(std::vector<double> samples, double share) {
    if (samples.empty()) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    std::sort(samples.begin(), samples.end());
    const double rank = std::clamp(share, 0.0, 1.0) * (samples.size() - 1);
    const size_t below = static_cast<size_t>(std::floor(rank));
    const size_t above = std::min(below + 1, samples.size() - 1);
    const double part = rank - below;
    return samples[below] + part * (samples[above] - samples[below]);
}

double slowSide95(const std::vector<double>& samples, Better better) {
    return percentile(samples, better == Better::Lower ? 0.95 : 0.05);
}

std::string formatValue(double value) {
    if (!std::isfinite(value)) {
        return "n/a";
    }
    char text[32];
    const double size = std::fabs(value);
    if (size >= 1000) {
        std::snprintf(text, sizeof text, "%.0f", value);
    } else if (size >= 100) {
        std::snprintf(text, sizeof text, "%.1f", value);
    } else if (size >= 1) {
        std::snprintf(text, sizeof text, "%.2f", value);
    } else {
        std::snprintf(text, sizeof text, "%.3f", value);
    }
    return text;
}

std::string csvHeader() { return "figure,unit,median,p95,target,met,samples"; }

std::string csvRow(const Figure& figure, const std::vector<double>& samples) {
    // The table is split at commas by plain tools; a name keeps its words.
    std::string name = figure.name;
    std::replace(name.begin(), name.end(), ',', ';');
    const double median = percentile(samples, 0.5);
    const double p95 = slowSide95(samples, figure.better);
    std::string met = "";
    if (figure.target.kind != Target::None) {
        met = samples.empty() ? "no data" : (figure.target.metBy(median) ? "yes" : "NO");
    }
    return name + "," + figure.unit + "," + formatValue(median) + "," +
           formatValue(p95) + "," + figure.target.text() + "," + met + "," +
           std::to_string(samples.size());
}
