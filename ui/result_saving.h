// A demonstration window's Save: its results as the model holds them at the
// press, written where the user chooses in the platform's file dialog.
#pragma once

#include "scene/result_table.h"
#include "scene/safe_file.h"

#include <FL/Fl_Widget.H>

#include <functional>
#include <string>

class Fl_Button;

// The dialogs Save opens, replaceable so that tests can save without them (each
// blocks until a person answers).
// The path chosen for a suggested one (folder and default name); empty when
// the user cancelled.
extern std::string (*chooseSavePath)(const std::string& suggested);
// Whether a file the dialog did not ask about may be replaced (a name typed
// without ".csv" that the extension turns into an existing file's).
extern bool (*confirmReplace)(const std::string& path);
// Tells the user why nothing was saved.
extern void (*reportSaveFailure)(const std::string& message);

// This program's version and the present moment.
ResultStamp stampNow();

// A chosen name without an extension gets ".csv"; one with an extension keeps it.
std::string withCsvExtension(const std::string& path);

// Where the dialog opens: the user's documents folder, or home when there is
// none, or the working folder.
std::string defaultSaveFolder();

// Save's whole action. `table` is read at once, so a run held by the dialog
// saves the counts it had at the press. Cancel writes nothing; a failure is
// reported through `reportSaveFailure` and returned. A press while a dialog
// of Save is open is ignored.
SaveOutcome saveResults(const std::string& demonstration,
                        const std::function<ResultTable(const ResultStamp&)>& table);

// The "Save" button, built in the open group.
Fl_Button* buildSaveButton(int x, int y, int w, int h, int labelSize, Fl_Callback* onPress, void* data);
