// The temporary file, its checks and the rename, for Windows and for the rest.
#include "scene/safe_file.h"

#include <cerrno>
#include <cstdio>
#include <chrono>
#include <cstring>
#include <random>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
constexpr const char* separators = "/\\";
#else
constexpr const char* separators = "/";
#endif

// The folder part of a path, as the messages name it.
std::string folderOf(const std::string& path) {
    const size_t slash = path.find_last_of(separators);
    if (slash == std::string::npos) return ".";
    return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

std::string failure(const std::string& what, int error) {
    return "Could not save: " + what + " (" + std::strerror(error) + ")";
}

// The words for a temporary file that could not be made.
std::string creationFailure(const std::string& folder, int error) {
    const std::string shown = folder == "." ? "the current folder" : "the folder " + folder;
    switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
        return failure(shown + " is not writable", error);
    case ENOENT:
    case ENOTDIR:
        return failure(shown + " does not exist", error);
    case ENOSPC:
        return failure("the disk of " + shown + " is full", error);
    default:
        return failure("no file could be made in " + shown, error);
    }
}

std::string writeFailure(const std::string& path, int error) {
    if (error == ENOSPC || error == EFBIG) {
        return failure("the disk is full, " + path + " is unchanged", error);
    }
    return failure(path + " could not be written", error);
}

// A name no other save (of this or another program) is likely to hold; the
// exclusive creation decides, and a taken name is drawn again.
std::string temporaryName(const std::string& path) {
    static std::mt19937_64 names(static_cast<uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count()));
    const size_t slash = path.find_last_of(separators);
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    char suffix[24];
    std::snprintf(suffix, sizeof suffix, ".%012llx.tmp",
                  static_cast<unsigned long long>(names() & 0xffffffffffffull));
    return folder + "." + base + suffix;
}

constexpr int namesTried = 100;

#ifdef _WIN32

std::wstring wide(const std::string& utf8) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                      nullptr, 0);
    std::wstring text(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &text[0], n);
    return text;
}

int openExclusive(const std::string& name) {
    return _wopen(wide(name).c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY,
                  _S_IREAD | _S_IWRITE);
}
int writeSome(int fd, const char* data, size_t n) {
    return _write(fd, data, static_cast<unsigned>(n > 1u << 30 ? 1u << 30 : n));
}
int flushToDisk(int fd) { return _commit(fd); }
int closeFile(int fd) { return _close(fd); }
void removeFile(const std::string& name) { _wremove(wide(name).c_str()); }

// MoveFileEx replaces an existing file, which rename does not do on Windows.
std::string replaceTarget(const std::string& temporary, const std::string& path) {
    if (MoveFileExW(wide(temporary).c_str(), wide(path).c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return "";
    }
    const DWORD error = GetLastError();
    // A spreadsheet that has the file open keeps it locked.
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) {
        return "Could not save: " + path + " is open in another program";
    }
    if (error == ERROR_ACCESS_DENIED) {
        return "Could not save: " + path + " is read-only, in use or a folder";
    }
    return "Could not save: " + path + " could not be replaced (Windows error " +
           std::to_string(error) + ")";
}

#else

int openExclusive(const std::string& name) {
    // The mode before the umask, as any new file of the user's gets.
    return open(name.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
}
int writeSome(int fd, const char* data, size_t n) {
    return static_cast<int>(write(fd, data, n > 1u << 30 ? 1u << 30 : n));
}
int flushToDisk(int fd) { return fsync(fd); }
int closeFile(int fd) { return close(fd); }
void removeFile(const std::string& name) { unlink(name.c_str()); }

std::string replaceTarget(const std::string& temporary, const std::string& path) {
    if (std::rename(temporary.c_str(), path.c_str()) == 0) return "";
    const int error = errno;
    if (error == EISDIR) return failure(path + " is a folder", error);
    return failure(path + " could not be replaced", error);
}

#endif

// Every byte of `text`, with the error of the first write that fails.
int writeAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        const int n = writeSome(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        // A write that takes nothing leaves no room for the rest: a full disk.
        if (n <= 0) return n < 0 ? errno : ENOSPC;
        done += static_cast<size_t>(n);
    }
    return 0;
}

}  // namespace

SaveOutcome saveTextFile(const std::string& path, const std::string& text) {
    SaveOutcome outcome;
    if (path.empty() || path.find_last_of(separators) == path.size() - 1) {
        outcome.message = "Could not save: no file name was given";
        return outcome;
    }
    // Step 1: a fresh file of our own beside the target.
    std::string temporary;
    int fd = -1;
    int error = 0;
    for (int attempt = 0; attempt < namesTried && fd < 0; ++attempt) {
        temporary = temporaryName(path);
        fd = openExclusive(temporary);
        error = fd < 0 ? errno : 0;
        if (error != EEXIST) break;
    }
    if (fd < 0) {
        outcome.message = creationFailure(folderOf(path), error);
        return outcome;
    }
    // Step 2: the text, on the disk and closed; a full disk may show at any of
    // the three.
    error = writeAll(fd, text);
    if (error == 0 && flushToDisk(fd) != 0) error = errno;
    if (closeFile(fd) != 0 && error == 0) error = errno;
    if (error != 0) {
        removeFile(temporary);
        outcome.message = writeFailure(path, error);
        return outcome;
    }
    // Step 3: the complete file takes the target's place in one step.
    outcome.message = replaceTarget(temporary, path);
    if (!outcome.message.empty()) {
        removeFile(temporary);
        return outcome;
    }
    outcome.saved = true;
    return outcome;
}
