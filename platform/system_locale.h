// The user's regional number format as the desktop sets it through the
// locale environment (LC_ALL, LC_NUMERIC, LANG).
#pragma once

namespace brumalis::platform {

// The decimal separator of the environment's numeric locale, read without
// changing the process locale; "." when the locale is unknown or its
// separator is not a single "." or ",".
char SystemDecimalSeparator();

}  // namespace brumalis::platform
