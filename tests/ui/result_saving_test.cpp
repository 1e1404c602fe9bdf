// The name Save writes to: the extension a spreadsheet looks for is added only
// where the chosen name has none, wherever the folder's own dots are.
#include "ui/result_saving.h"

#include <gtest/gtest.h>

TEST(SaveName, CsvAddedOnlyToANameWithoutExtension) {
    EXPECT_EQ(withCsvExtension("/home/ann/bell"), "/home/ann/bell.csv");
    EXPECT_EQ(withCsvExtension("/home/ann/bell."), "/home/ann/bell.csv");
    EXPECT_EQ(withCsvExtension("/home/ann.b/class.2/bell"), "/home/ann.b/class.2/bell.csv");
    EXPECT_EQ(withCsvExtension("/home/ann/.bell"), "/home/ann/.bell.csv");
    EXPECT_EQ(withCsvExtension("/home/ann/bell.csv"), "/home/ann/bell.csv");
    EXPECT_EQ(withCsvExtension("/home/ann/bell.txt"), "/home/ann/bell.txt");
}
