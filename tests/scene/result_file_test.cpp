// Result tables as text and on disk: the quoting a spreadsheet expects, local
// times with their offset, and a save that never costs the earlier file.
#include "scene/csv_read.h"
#include "scene/result_table.h"
#include "scene/safe_file.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Row = std::vector<std::string>;

TEST(ResultTable, FieldsNotesAndTimesSurviveTheTripThroughText) {
    ResultTable table("a test, with a comma", ResultStamp{"9.8.7", 0});
    table.notes.push_back("a note\nthat tried to end its line");
    table.header = {"name", "value"};
    table.rows = {{"with, comma", csvNumber(2.0 / 3.0, 4)}, {"\"quoted\"\ntwice", csvNumber(-12L)}};
    const CsvFile file = parseCsv(csvText(table));
    EXPECT_EQ(file.notes, (Row{"what: a test, with a comma", "when: " + isoLocalTime(0),
                               "program: Quantum Orvantis 9.8.7", "a note that tried to end its line"}));
    EXPECT_EQ(file.rows, (std::vector<Row>{{"name", "value"}, {"with, comma", "0.6667"},
                                           {"\"quoted\"\ntwice", "-12"}}));

    // Noon UTC on 8 December 2026, east and west of Greenwich.
    const std::time_t noon = 1796731200;
    setenv("TZ", "XXX-5:30", 1);
    tzset();
    EXPECT_EQ(isoLocalTime(noon), "2026-12-08T17:30:00+05:30");
    EXPECT_EQ(resultFileName("bell", noon), "bell-2026-12-08-1730.csv");
    setenv("TZ", "YYY13", 1);
    tzset();
    EXPECT_EQ(isoLocalTime(noon), "2026-12-07T23:00:00-13:00");
    unsetenv("TZ");
    tzset();
}

// A file a class saved earlier, which no failed save may touch.
constexpr const char* earlier = "pairs,20000\n";

TEST(SafeFile, AFullDiskOrAMissingFolderKeepsTheEarlierFile) {
    TemporaryFolder folder;
    const std::string path = folder.file("results.csv");
    ASSERT_TRUE(saveTextFile(path, earlier).saved);

    // A file size limit makes the write fail as a full disk does, also for root.
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    rlimit small = before;
    small.rlim_cur = 4096;
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const SaveOutcome full = saveTextFile(path, std::string(100000, 'x'));
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, handler);
    EXPECT_FALSE(full.saved);
    EXPECT_NE(full.message.find("Could not save: the disk is full"), std::string::npos) << full.message;

    const SaveOutcome missing = saveTextFile(folder.file("gone/results.csv"), "x\n");
    EXPECT_FALSE(missing.saved);
    EXPECT_NE(missing.message.find("the folder " + folder.file("gone") + " does not exist"),
              std::string::npos) << missing.message;
    EXPECT_EQ(readWholeFile(path), earlier);
    EXPECT_EQ(folder.entries(), 1) << "no temporary file left";

    ASSERT_TRUE(saveTextFile(path, "short\n").saved);
    EXPECT_EQ(readWholeFile(path), "short\n");
}

TEST(SafeFile, AFolderThatIsNotWritableKeepsTheEarlierFile) {
    TemporaryFolder folder;
    const std::string path = folder.file("results.csv");
    ASSERT_TRUE(saveTextFile(path, earlier).saved);
    ASSERT_EQ(chmod(folder.path.c_str(), 0555), 0);
    // Root writes anywhere: an ordinary user tries in a child process, which
    // answers through its exit status.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
        const SaveOutcome outcome = saveTextFile(path, "replaced\n");
        if (outcome.saved) _exit(1);
        std::fprintf(stderr, "%s\n", outcome.message.c_str());
        _exit(outcome.message.find("the folder " + folder.path + " is not writable") ==
                      std::string::npos ? 2 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "1: reported saved, 2: unclear message, 3: no user; " << status;
    EXPECT_EQ(readWholeFile(path), earlier);
    EXPECT_EQ(folder.entries(), 1);
}

}  // namespace
