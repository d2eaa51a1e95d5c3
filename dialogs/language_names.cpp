#include "dialogs/language_names.h"

#include "dialogs/messages.h"
#include "localisation/lang_support.h"

namespace brumalis::dialogs {

std::string ShownLanguageName(std::int32_t nLangID) {
    const std::string szName = CTLangSupport::ID2String(nLangID, true, false);
    return szName.empty() ? szName : TBaseMsg::Translate(szName);
}

}  // namespace brumalis::dialogs
