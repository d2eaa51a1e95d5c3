#include "platform/data_source_entries.h"

namespace brumalis::platform {

namespace {

constexpr std::string_view DriverFile = "odbcjt32.dll";

// The file-name part of a driver path, which may be a Windows one.
std::string_view FileNamePart(std::string_view szPath) {
    const std::size_t separator = szPath.find_last_of("\\/");
    return separator == std::string_view::npos ? szPath : szPath.substr(separator + 1);
}

}  // namespace

std::string DataSourceKey(std::string_view szName) { return "Software\\ODBC\\ODBC.INI\\" + std::string(szName); }

void CreateMinimalODBCEntry(CTRegistry& registry, bool bIsAdmin, std::string_view szDSNName) {
    CTSettingsStore& hive = registry.Hive(bIsAdmin);
    const std::string szKey = DataSourceKey(szDSNName);
    if (hive.KeyExists(szKey) || !hive.CreateKey(szKey)) return;
    if (hive.ReadString(szKey, "Driver", "").empty()) hive.WriteString(szKey, "Driver", DriverFile);
}

void DeleteMinimalODBCEntry(CTRegistry& registry, bool bIsAdmin, std::string_view szDSNName) {
    const std::string szKey = DataSourceKey(szDSNName);
    registry.CurrentUser().DeleteKey(szKey);
    if (bIsAdmin) registry.LocalMachine().DeleteKey(szKey);
}

bool CheckDataSourceEntry(CTRegistry& registry, std::string_view szLogicalName, std::string_view szDatabaseName,
                          bool bUpdateName) {
    const std::string szKey = DataSourceKey(szLogicalName);
    CTSettingsStore* hive = registry.FindKey(szKey);
    if (!hive) return false;
    if (!EqualsIgnoringCase(FileNamePart(hive->ReadString(szKey, "Driver", "")), DriverFile)) return false;
    if (!bUpdateName || szDatabaseName.empty()) return true;
    if (EqualsIgnoringCase(hive->ReadString(szKey, "DBQ", ""), szDatabaseName)) return true;
    return hive->WriteString(szKey, "DBQ", szDatabaseName);
}

}  // namespace brumalis::platform
