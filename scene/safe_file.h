// Writing a whole text file so that a failure never costs the file that was
// there before: the text goes to a fresh file beside it, which replaces the
// old one only once every byte is on the disk.
#pragma once

#include <string>

struct SaveOutcome {
    bool saved = false;
    // Why not, in words for a message box; empty when saved.
    std::string message;
};

// Writes `text` to `path` (UTF-8) through a temporary file in the same folder,
// created exclusively, flushed and closed with every error checked, then
// renamed over `path`. Saved only when the rename succeeded; on any failure the
// temporary file is removed and an earlier file at `path` stays as it was.
SaveOutcome saveTextFile(const std::string& path, const std::string& text);
