#include "localisation/ui/qt_translation.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QLibraryInfo>
#include <QtCore/QLocale>
#include <QtCore/QTranslator>

#include "localisation/lang_support.h"

namespace brumalis::ui {
namespace {

// Qt's language of the one the language list names in English ("Russian");
// C when Qt does not know it. A variant's own Qt name ("Norwegian Bokmal")
// may differ; such languages stay English in Qt's texts.
QLocale::Language QtLanguage(std::int32_t nLangID) {
    const QString szName = QString::fromStdString(CTLangSupport::EnglishLanguageName(nLangID, false, false));
    if (szName.isEmpty()) return QLocale::C;
    for (int n = QLocale::AnyLanguage + 1; n <= QLocale::LastLanguage; ++n) {
        const auto language = static_cast<QLocale::Language>(n);
        if (QLocale::languageToString(language).compare(szName, Qt::CaseInsensitive) == 0) return language;
    }
    return QLocale::C;
}

}  // namespace

CTQtTranslation::CTQtTranslation() = default;

CTQtTranslation::~CTQtTranslation() { Remove(); }

bool CTQtTranslation::Install(std::int32_t nLangID) {
    Remove();
    const QLocale::Language language = QtLanguage(nLangID);
    // English is Qt's own language: nothing to load.
    if (language == QLocale::C || language == QLocale::English) return false;
    auto pTranslator = std::make_unique<QTranslator>();
    if (!pTranslator->load(QLocale(language), QStringLiteral("qtbase"), QStringLiteral("_"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(pTranslator.get()))
        return false;
    v_translator = std::move(pTranslator);
    return true;
}

void CTQtTranslation::Remove() {
    if (!v_translator) return;
    QCoreApplication::removeTranslator(v_translator.get());
    v_translator.reset();
}

}  // namespace brumalis::ui
