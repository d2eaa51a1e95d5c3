#include "platform/system_locale.h"

#include <langinfo.h>
#include <locale.h>

#include <string_view>

namespace brumalis::platform {

char SystemDecimalSeparator() {
    // A locale object of its own: setlocale would change the number format
    // of every file writer in the process.
    const locale_t loc = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
    if (loc == static_cast<locale_t>(nullptr)) return '.';
    const std::string_view szRadix = nl_langinfo_l(RADIXCHAR, loc);
    const char chSeparator = szRadix == "," ? ',' : '.';
    freelocale(loc);
    return chSeparator;
}

}  // namespace brumalis::platform
