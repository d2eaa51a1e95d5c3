#include "platform/uninstall_entry.h"

#include "platform/administrator_rights.h"
#include "platform/build_identity.h"

namespace brumalis::platform {

namespace {

// The parent of a key path, or "" for a key just below the root.
std::string ParentKey(std::string_view szKey) {
    const std::size_t slash = szKey.rfind('\\');
    return slash == std::string_view::npos ? std::string() : std::string(szKey.substr(0, slash));
}

// A relative key path without empty components.
bool IsKeyPathText(std::string_view szPath) {
    return !szPath.empty() && szPath.front() != '\\' && szPath.back() != '\\' &&
           szPath.find("\\\\") == std::string_view::npos;
}

// One key name: an empty one or one with "\\" would address the key of every
// program's entry, or another one.
bool IsKeyName(std::string_view szName) { return !szName.empty() && szName.find('\\') == std::string_view::npos; }

bool WriteWhenGiven(CTSettingsStore& hive, const std::string& szKey, std::string_view szName,
                    std::string_view szValue) {
    return szValue.empty() || hive.WriteString(szKey, szName, szValue);
}

}  // namespace

std::string UninstallKey(std::string_view szItemName) {
    return "Software\\MicroSoft\\Windows\\CurrentVersion\\Uninstall\\" + std::string(szItemName);
}

bool CreateUninstallEntry(bool bAllUsers, std::string_view szItemName, std::string_view szUninstallFullPath,
                          std::string_view szDescription, std::string_view szVendorName, int nVersion,
                          std::string_view szVendorURL, std::string_view szSupportURL) {
    if (!IsKeyName(szItemName)) return false;
    CTRegistry& registry = Registry();
    const std::string key = UninstallKey(szItemName);
    const bool bAdministrator = HaveAdministratorRights();
    if (bAllUsers && !bAdministrator && registry.LocalMachine().KeyExists(key)) return true;

    CTSettingsStore& hive = registry.Hive(bAllUsers && bAdministrator);
    bool bDone = hive.CreateKey(key) && hive.WriteString(key, "DisplayName", szDescription) &&
                 hive.WriteString(key, "UninstallString", std::string(szUninstallFullPath) + " /uninstall") &&
                 hive.WriteString(key, "InstallLocation", szUninstallFullPath) &&
                 WriteWhenGiven(hive, key, "Publisher", szVendorName);
    if (bDone && nVersion > 0) {
        bDone = hive.WriteInteger(key, "VersionMajor", nVersion / 100) &&
                hive.WriteInteger(key, "VersionMinor", nVersion % 100) &&
                hive.WriteString(key, "DisplayVersion", CTVersionUtils::VersionString(nVersion, "", "", ""));
    }
    return bDone && WriteWhenGiven(hive, key, "URLInfoAbout", szVendorURL) &&
           WriteWhenGiven(hive, key, "HelpLink", szSupportURL);
}

bool DeleteUninstallEntry(std::string_view szItemName) {
    if (!IsKeyName(szItemName)) return true;
    const std::string key = UninstallKey(szItemName);
    Registry().CurrentUser().DeleteKey(key);
    if (HaveAdministratorRights()) Registry().LocalMachine().DeleteKey(key);
    return true;
}

bool DeleteRegistry(std::string_view szVendorName, std::string_view szApplicationName) {
    // An empty component would make the path name a key above the program's.
    if (!IsKeyPathText(szVendorName) || !IsKeyPathText(szApplicationName)) return false;
    CTSettingsStore& hive = Registry().CurrentUser();
    const std::string path = std::string(szVendorName) + "\\" + std::string(szApplicationName);
    if (!hive.KeyExists("Software\\" + path)) return false;
    hive.DeleteKey("Software\\" + path);
    const std::string vendor = "Software\\" + ParentKey(path);
    if (hive.SubkeyNames(vendor).empty()) hive.DeleteKey(vendor);
    return true;
}

bool ReadBooleanFromRegistry(const TRegistryKey& key, std::string_view szRegValue, bool bDftVal) {
    return key.hive.ReadBool(key.szPath, szRegValue, bDftVal);
}

std::int32_t ReadIntegerFromRegistry(const TRegistryKey& key, std::string_view szRegValue, std::int32_t nDftVal) {
    return key.hive.ReadInteger(key.szPath, szRegValue, nDftVal);
}

std::string ReadStringFromRegistry(const TRegistryKey& key, std::string_view szRegValue, std::string_view szDftVal) {
    return key.hive.ReadString(key.szPath, szRegValue, szDftVal);
}

}  // namespace brumalis::platform
