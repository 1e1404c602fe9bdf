// Save through the platform's file dialog, and the file written safely.
#include "ui/result_saving.h"

#include <FL/Fl_Button.H>
#include <FL/Fl_Native_File_Chooser.H>
#include <FL/fl_ask.H>

#include <cstdlib>
#include <filesystem>

namespace {

std::string nativeChooser(const std::string& suggested) {
    const std::filesystem::path path(suggested);
    Fl_Native_File_Chooser chooser(Fl_Native_File_Chooser::BROWSE_SAVE_FILE);
    chooser.title("Save results");
    chooser.filter("*.csv");
    chooser.options(Fl_Native_File_Chooser::SAVEAS_CONFIRM);
    const std::string folder = path.parent_path().string();
    const std::string name = path.filename().string();
    chooser.directory(folder.c_str());
    chooser.preset_file(name.c_str());
    switch (chooser.show()) {
    case 0:
        return chooser.filename() ? chooser.filename() : "";
    case -1:
        // The dialog itself failed: say so rather than look cancelled.
        reportSaveFailure(std::string("The file dialog could not open: ") +
                          (chooser.errmsg() ? chooser.errmsg() : "unknown error"));
        return "";
    default:
        return "";
    }
}

bool askToReplace(const std::string& path) {
    return fl_choice("%s already exists.\nReplace it?", "Cancel", "Replace", nullptr, path.c_str()) == 1;
}

void alertBox(const std::string& message) { fl_alert("%s", message.c_str()); }

bool isFolder(const char* path) {
    std::error_code ignored;
    return path && *path && std::filesystem::is_directory(path, ignored);
}

}  // namespace

std::string (*chooseSavePath)(const std::string&) = nativeChooser;
bool (*confirmReplace)(const std::string&) = askToReplace;
void (*reportSaveFailure)(const std::string&) = alertBox;

ResultStamp stampNow() {
    ResultStamp stamp;
    stamp.version = ORVANTIS_VERSION;
    stamp.when = std::time(nullptr);
    return stamp;
}

std::string withCsvExtension(const std::string& path) {
    const std::filesystem::path name = std::filesystem::path(path).filename();
    const std::string extension = name.extension().string();
    if (extension.empty()) {
        return path + ".csv";
    }
    // "results." names no extension either.
    return extension == "." ? path + "csv" : path;
}

std::string defaultSaveFolder() {
#ifdef _WIN32
    const char* home = std::getenv("USERPROFILE");
#else
    const char* home = std::getenv("HOME");
#endif
    if (!isFolder(home)) {
        return ".";
    }
    const std::string documents = (std::filesystem::path(home) / "Documents").string();
    return isFolder(documents.c_str()) ? documents : home;
}

SaveOutcome saveResults(const std::string& demonstration,
                        const std::function<ResultTable(const ResultStamp&)>& table) {
    // The dialog runs nested in the event loop, where Ctrl+S may press Save again.
    static bool dialogOpen = false;
    if (dialogOpen) {
        return {};
    }
    const ResultStamp stamp = stampNow();
    const std::string text = csvText(table(stamp));
    const std::filesystem::path suggested =
        std::filesystem::path(defaultSaveFolder()) / resultFileName(demonstration, stamp.when);

    dialogOpen = true;
    const std::string chosen = chooseSavePath(suggested.string());
    std::string path = chosen.empty() ? chosen : withCsvExtension(chosen);
    std::error_code ignored;
    if (path != chosen && std::filesystem::exists(path, ignored) && !confirmReplace(path)) {
        path.clear();
    }
    dialogOpen = false;
    if (path.empty()) {
        return {};
    }

    SaveOutcome outcome = saveTextFile(path, text);
    if (!outcome.saved) {
        reportSaveFailure(outcome.message);
    }
    return outcome;
}

Fl_Button* buildSaveButton(int x, int y, int w, int h, int labelSize, Fl_Callback* onPress, void* data) {
    auto* button = new Fl_Button(x, y, w, h, "Save");
    button->color(62);
    button->labelfont(9);
    button->labelsize(labelSize);
    button->tooltip("the results so far, as a table for a spreadsheet");
    button->callback(onPress, data);
    return button;
}
