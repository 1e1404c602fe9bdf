// The comma-separated text of a result table, and the stamps of its notes.
#include "scene/result_table.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

std::string csvField(const std::string& field) {
    if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
    std::string quoted = "\"";
    for (const char c : field) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

void appendLine(std::string& text, const std::vector<std::string>& fields) {
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) text += ',';
        text += csvField(fields[i]);
    }
    text += '\n';
}

// The broken-down local time and its offset from UTC in minutes. The offset is
// worked out from the two broken-down times rather than read with strftime's
// %z, which some C libraries answer with the zone's name.
std::tm localTime(std::time_t when, int& offsetMinutes) {
    std::tm local = *std::localtime(&when);
    const std::tm utc = *std::gmtime(&when);
    // The two dates differ by a day at most, also across a year's end.
    int days = local.tm_yday - utc.tm_yday;
    if (local.tm_year != utc.tm_year) days = local.tm_year > utc.tm_year ? 1 : -1;
    offsetMinutes = (days * 24 + local.tm_hour - utc.tm_hour) * 60 + local.tm_min - utc.tm_min;
    return local;
}

}  // namespace

ResultTable::ResultTable(const std::string& what, const ResultStamp& stamp) {
    notes.push_back("what: " + what);
    notes.push_back("when: " + isoLocalTime(stamp.when));
    notes.push_back("program: Quantum Orvantis " + stamp.version);
}

std::string csvText(const ResultTable& table) {
    std::string text;
    for (const std::string& note : table.notes) {
        // A note never spills onto a line without its mark.
        std::string line = "# ";
        for (const char c : note) line += c == '\n' || c == '\r' ? ' ' : c;
        text += line + '\n';
    }
    appendLine(text, table.header);
    for (const std::vector<std::string>& row : table.rows) appendLine(text, row);
    return text;
}

std::string csvNumber(long value) { return std::to_string(value); }

std::string csvNumber(double value, int decimals) {
    if (!std::isfinite(value)) return "";
    // to_chars ignores the locale: the point stays a point.
    char digits[64];
    const std::to_chars_result end =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, decimals);
    return end.ec == std::errc() ? std::string(digits, end.ptr) : "";
}

std::string isoLocalTime(std::time_t when) {
    int offset = 0;
    const std::tm t = localTime(when, offset);
    const int magnitude = offset < 0 ? -offset : offset;
    char text[96];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d%c%02d:%02d", t.tm_year + 1900,
                  t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec, offset < 0 ? '-' : '+',
                  magnitude / 60, magnitude % 60);
    return text;
}

std::string resultFileName(const std::string& demonstration, std::time_t when) {
    int offset = 0;
    const std::tm t = localTime(when, offset);
    char stamp[80];
    std::snprintf(stamp, sizeof stamp, "-%04d-%02d-%02d-%02d%02d.csv", t.tm_year + 1900,
                  t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min);
    return demonstration + stamp;
}
