// Cells and texts of the key tables that need no display: the digits a column
// number flies with and the decimal text of a draw.
#include "bb84/bb84_view.h"
#include "bb84/key_distribution.h"
#include "scene/random_source.h"

#include <gtest/gtest.h>

#include <string>

TEST(KeyCells, ColumnNumbersFlyAsTheirTwoDigits) {
    for (unsigned c = 0; c < 32; ++c) {
        const std::string number = std::to_string(c + 1);
        const std::string shown = std::string(tensDigit(c)) + unitsDigit(c);
        EXPECT_EQ(shown, number) << "column " << c;
    }
}

TEST(KeyCells, ValueTextIsTheDecimalOfTheLastDraw) {
    RandomSource random;
    random.state = 0;
    random.setModulus(2);
    // From state 0 the draws modulo 2 are 0, 0 (12345 >> 16 = 0; 3554416254 >> 16 even).
    random.next();
    formatValueText(random);
    EXPECT_STREQ(random.valueText, "0");
    int ones = 0;
    for (int i = 0; i < 64; ++i) {
        random.next();
        formatValueText(random);
        EXPECT_EQ(random.valueText[0], random.value() ? '1' : '0');
        EXPECT_EQ(random.valueText[1], '\0');
        ones += random.value();
    }
    EXPECT_GT(ones, 10);
    EXPECT_LT(ones, 54);
    // A wider modulus still fits the four-character field, truncated.
    random.setModulus(100000);
    random.next();
    formatValueText(random);
    EXPECT_LE(std::string(random.valueText).size(), 3u);
}
