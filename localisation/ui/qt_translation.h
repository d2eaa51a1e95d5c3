// Qt's own texts (the standard buttons, the file, colour and font dialogs)
// in the program's language, from the translations of Qt installed on the
// system (Debian: qt6-translations-l10n). Without them Qt stays English;
// nothing else depends on them.
#pragma once

#include <cstdint>
#include <memory>

class QTranslator;

namespace brumalis::ui {

class CTQtTranslation {
public:
    CTQtTranslation();
    ~CTQtTranslation();
    CTQtTranslation(const CTQtTranslation&) = delete;
    CTQtTranslation& operator=(const CTQtTranslation&) = delete;

    // Replaces the installed translation by Qt's "qtbase" one for the
    // Windows language identifier; false (Qt then English) when the
    // language is unknown or the system has no translation for it.
    bool Install(std::int32_t nLangID);
    void Remove();

private:
    std::unique_ptr<QTranslator> v_translator;
};

}  // namespace brumalis::ui
