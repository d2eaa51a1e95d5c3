// Runs with LC_ALL=de_DE.UTF-8, so QApplication's setlocale gives the
// process a decimal comma: what the user types and reads follows it, what
// goes into files does not.
#include <gtest/gtest.h>

#include <array>
#include <clocale>
#include <cstdio>
#include <string>

#include <QtTest/QTest>
#include <QtWidgets/QLineEdit>

#include "dialogs/number_edit.h"
#include "dialogs/ui/numeric_edit.h"
#include "localisation/number_text.h"
#include "objectstore/edi_numbers.h"

namespace brumalis::dialogs::ui {
namespace {

TEST(DecimalLocaleUiTest, EditsShowTheSystemCommaWhileFilesKeepThePoint) {
    // The premise: the C library now formats with a comma.
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    std::array<char, 32> buf{};
    std::snprintf(buf.data(), buf.size(), "%.3f", 120.503);
    ASSERT_STREQ(buf.data(), "120,503");

    const char chPrevious = SetDecimalSeparator('.');
    EXPECT_EQ(UseSystemDecimalSeparator(), ',');
    QLineEdit edit;
    AttachNumericEdit(&edit);
    edit.show();
    QTest::keyClicks(&edit, "12a,5.3");
    EXPECT_EQ(edit.text().toStdString(), "120,503");
    EXPECT_EQ(edit.cursorPosition(), 7);

    const double nStored = Str2Number(edit.text().toStdString());
    EXPECT_EQ(nStored, 120.503);
    EXPECT_EQ(FormatEdiDouble(nStored), "120.503");
    EXPECT_EQ(ParseEdiDouble("120.503"), 120.503);
    EXPECT_EQ(Number2Str(15, nStored), "120,503");
    SetDecimalSeparator(chPrevious);
}

}  // namespace
}  // namespace brumalis::dialogs::ui
