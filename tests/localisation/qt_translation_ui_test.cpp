// Qt's own texts in the program's language, and English again without it.
#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QFileInfo>
#include <QtCore/QLibraryInfo>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QPushButton>

#include "localisation/ui/qt_translation.h"

namespace brumalis::ui {
namespace {

std::string QtCancel() { return QCoreApplication::translate("QPlatformTheme", "Cancel").toStdString(); }

std::string BoxCancel() {
    const QDialogButtonBox box(QDialogButtonBox::Cancel);
    return box.button(QDialogButtonBox::Cancel)->text().toStdString();
}

TEST(QtTranslation, QtsButtonsReadInTheLanguageWhileInstalledAndEnglishOtherwise) {
    CTQtTranslation translation;
    EXPECT_FALSE(translation.Install(1033));    // Qt's own language
    EXPECT_FALSE(translation.Install(0x7FFF));  // not a language of the list
    EXPECT_EQ(QtCancel(), "Cancel");

    // Where the system lacks Qt's translations the program runs in English.
    const bool bShipped = QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_ru.qm");
    ASSERT_EQ(translation.Install(1049), bShipped);
    if (bShipped) {
        EXPECT_EQ(QtCancel(), "Отмена");
        EXPECT_EQ(BoxCancel(), "Отмена");
        // Installing again replaces rather than stacks.
        EXPECT_TRUE(translation.Install(1049));
        translation.Remove();
        EXPECT_EQ(QtCancel(), "Cancel");
    }
    {
        CTQtTranslation scoped;
        scoped.Install(1049);
    }
    EXPECT_EQ(BoxCancel(), "Cancel");
}

}  // namespace
}  // namespace brumalis::ui
