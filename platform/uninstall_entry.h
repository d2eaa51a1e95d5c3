// The program's uninstall entry and settings in the registry, with the
// key layout the Windows build writes: the entry below
// "Software\MicroSoft\Windows\CurrentVersion\Uninstall\" + item name, the
// program's settings below "Software\" + vendor + "\" + application.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/settings_store.h"

namespace brumalis::platform {

// "Software\MicroSoft\Windows\CurrentVersion\Uninstall\" + szItemName.
std::string UninstallKey(std::string_view szItemName);

// Writes "DisplayName", "UninstallString" (the path, a blank and
// "/uninstall", unquoted), "InstallLocation", and when not empty
// "Publisher", "URLInfoAbout" and "HelpLink"; for nVersion > 0 also
// "VersionMajor" (div 100), "VersionMinor" (mod 100) and "DisplayVersion"
// (334: 3, 34, "3.3.4"). In the machine hive when bAllUsers is asked for and
// the user is an administrator, else the current user's; asked for without
// rights while the machine's entry exists: true, nothing written. False when
// a value cannot be written, or the item name is empty or holds "\".
bool CreateUninstallEntry(bool bAllUsers, std::string_view szItemName, std::string_view szUninstallFullPath,
                          std::string_view szDescription, std::string_view szVendorName, int nVersion,
                          std::string_view szVendorURL, std::string_view szSupportURL);

// Deletes the entry below the current user and, for an administrator, below
// the machine; errors are ignored. True.
bool DeleteUninstallEntry(std::string_view szItemName);

// Below the current user: deletes "Software\<vendor>\<application>" with all
// its subkeys, then "Software\<vendor>" only when no subkey is left (another
// program of the vendor keeps it). True when the application's key existed.
bool DeleteRegistry(std::string_view szVendorName, std::string_view szApplicationName);

// An open key: a hive and a key path in it.
struct TRegistryKey {
    CTSettingsStore& hive;
    std::string szPath;
};

// The stored value, or the default when it is missing or of another type.
bool ReadBooleanFromRegistry(const TRegistryKey& key, std::string_view szRegValue, bool bDftVal);
std::int32_t ReadIntegerFromRegistry(const TRegistryKey& key, std::string_view szRegValue, std::int32_t nDftVal);
std::string ReadStringFromRegistry(const TRegistryKey& key, std::string_view szRegValue, std::string_view szDftVal);

}  // namespace brumalis::platform
