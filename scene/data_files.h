// Where the program's own files (the title picture, on Windows also the fonts)
// are found.
#pragma once

#include <string>

// The path of one of the program's files, in UTF-8. On Windows the files lie
// beside the executable, wherever it was installed or unpacked; elsewhere they
// are read from the working folder, where the desktop's menu entry starts the
// program.
std::string dataFilePath(const char* name);
