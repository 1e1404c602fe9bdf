// The folder of the program's own files.
#include "scene/data_files.h"

#ifdef _WIN32
#include <windows.h>

#include <vector>

std::string dataFilePath(const char* name) {
    // The executable's path in UTF-16, grown until it fits (installs may be deep).
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) {
            return name;
        }
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(2 * path.size());
    }
    while (!path.empty() && path.back() != L'\\' && path.back() != L'/') {
        path.pop_back();
    }
    // The toolkit's file functions take UTF-8, so non-ASCII user folders work.
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, path.data(), static_cast<int>(path.size()),
                                          nullptr, 0, nullptr, nullptr);
    std::string folder(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), &folder[0], bytes,
                        nullptr, nullptr);
    return folder + name;
}

#else

std::string dataFilePath(const char* name) { return name; }

#endif
