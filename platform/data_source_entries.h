// The registry entries of the data sources that the memory engine opens:
// one key per data source under "Software\ODBC\ODBC.INI", whose value
// "Driver" names the desktop-database driver and "DBQ" the database file.
#pragma once

#include <string>
#include <string_view>

#include "platform/settings_store.h"

namespace brumalis::platform {

// "Software\ODBC\ODBC.INI\" + the data source's name.
std::string DataSourceKey(std::string_view szName);

// Creates the entry, with the driver "odbcjt32.dll" when it names none, in
// the machine hive for an administrator and in the current user's hive
// otherwise; an entry already in that hive is left as it is.
void CreateMinimalODBCEntry(CTRegistry& registry, bool bIsAdmin, std::string_view szDSNName);

// Deletes the entry from the current user's hive and, for an administrator,
// from the machine hive too.
void DeleteMinimalODBCEntry(CTRegistry& registry, bool bIsAdmin, std::string_view szDSNName);

// True when the entry exists (the current user's first, else the machine's)
// and names the desktop-database driver. With bUpdateName and a database
// name, a different "DBQ" (ignoring case) is replaced by that name in the
// entry's own hive; false when that fails.
bool CheckDataSourceEntry(CTRegistry& registry, std::string_view szLogicalName, std::string_view szDatabaseName,
                          bool bUpdateName);

}  // namespace brumalis::platform
