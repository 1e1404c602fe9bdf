// Saved result files read back as a plotting script reads them, in a fresh
// temporary folder that goes with what it holds.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

struct CsvFile {
    std::vector<std::string> notes;              // without their "# "
    std::vector<std::vector<std::string>> rows;  // the header first
};

inline std::string readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline CsvFile parseCsv(const std::string& text) {
    CsvFile file;
    size_t i = 0;
    for (; i < text.size() && text[i] == '#'; i = text.find('\n', i) + 1) {
        file.notes.push_back(text.substr(i + 2, text.find('\n', i) - i - 2));
    }
    std::vector<std::string> row(1);
    bool quoted = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"' && !(quoted && i + 1 < text.size() && text[i + 1] == '"')) {
            quoted = !quoted;
        } else if (!quoted && c == ',') {
            row.emplace_back();
        } else if (!quoted && c == '\n') {
            file.rows.push_back(row);
            row.assign(1, "");
        } else {
            row.back() += c;
            i += c == '"';  // the second of a doubled quote
        }
    }
    return file;
}

struct TemporaryFolder {
    std::string path = (std::filesystem::temp_directory_path() / "orvantis-XXXXXX").string();
    TemporaryFolder() {
        if (!mkdtemp(&path[0])) path.clear();
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(path, ignored);
    }
    std::string file(const std::string& name) const { return path + "/" + name; }
    long entries() const {
        return std::distance(std::filesystem::directory_iterator(path),
                             std::filesystem::directory_iterator());
    }
};
