// Results as a table that a spreadsheet or a plotting script reads: note lines
// saying what was measured, when and by which version, a header row and data
// rows, and their comma-separated text.
#pragma once

#include <ctime>
#include <string>
#include <vector>

// Who saved a table and when: the notes every saved file opens with.
struct ResultStamp {
    // The program's version, as --version prints it.
    std::string version;
    std::time_t when = 0;
};

struct ResultTable {
    // Written first, each as "# ...".
    std::vector<std::string> notes;
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;

    // A table whose notes say what it holds, when it was saved and by which
    // version of the program.
    ResultTable(const std::string& what, const ResultStamp& stamp);

    void addRow(std::vector<std::string> row) { rows.push_back(std::move(row)); }
};

// The comma-separated text: notes, header, rows, each line ended by "\n". A
// field holding a comma, a quote or a line break is quoted, its quotes doubled.
std::string csvText(const ResultTable& table);

// Numbers as every spreadsheet reads them back: digits and a point, whatever
// the locale of the program or of the machine. A spreadsheet set to a locale
// with a decimal comma reads the file when it is imported with "," as the
// field separator and "." as the decimal separator.
std::string csvNumber(long value);
std::string csvNumber(double value, int decimals);

// A moment as local date and time in ISO 8601 with the offset from UTC, as
// 2026-12-08T14:32:05+01:00.
std::string isoLocalTime(std::time_t when);

// A default file name for a demonstration's results, as bell-2026-12-08-1432.csv.
std::string resultFileName(const std::string& demonstration, std::time_t when);
