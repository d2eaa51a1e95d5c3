#include "objectstore/store_messages.h"

#include <array>
#include <utility>

namespace brumalis {

namespace {

constexpr std::array<const char*, 27> kTexts = {
    "Verifying databases. Please wait...",
    "Undelete a definition",
    "Database error in '$1', code = $2.",
    "Database '$1' is in use.",
    "Invalid database structure in '$1'.",
    "Alias missing for database '$1'.",
    "ODBC entry missing for database '$1'.",
    "'$1' is not an ODBC database.",
    "Permission denied for database '$1'.",
    "Database '$1' is read only.",
    "Unknown error opening database '$1'.",
    "Range check error: '$1'.",
    "Value required for '$1'.",
    "Value for '$1' must be unique.",
    "Incorrect version of database '$1'.",
    "Invalid login name or password",
    "Select the definition you want to undelete.",
    "Are you sure you want to delete '$1'?",
    "SQL server: Error inserting record",
    "SQL server: Error updating record",
    "SQL server: Error deleting record",
    "SQL server: Error executing select statement",
    "Generic ODBC database",
    "MS Jet database",
    "SQL Server database",
    "Text file",
    "MySQL database",
};

CTMessageCallback& Callback() {
    static CTMessageCallback callback;
    return callback;
}

int ParameterIndex(char c) {
    if (c >= '1' && c <= '9') return c - '1';
    if (c >= 'A' && c <= 'Z') return c - 'A' + 9;
    return -1;
}

}  // namespace

std::string StoreMessageText(int nMsg) {
    if (nMsg == msgUnableToOpenFile) return "Unable to open file $1";
    if (nMsg == msgUnableToCreateFile) return "Unable to create file $1";
    if (nMsg >= 5000 && nMsg < 5000 + static_cast<int>(kTexts.size())) return kTexts[static_cast<std::size_t>(nMsg - 5000)];
    return std::string();
}

std::string FillMessageParameters(const std::string& szText, const std::vector<std::string>& params) {
    std::string out;
    for (std::size_t i = 0; i < szText.size(); ++i) {
        const int ix = szText[i] == '$' && i + 1 < szText.size() ? ParameterIndex(szText[i + 1]) : -1;
        if (ix >= 0 && static_cast<std::size_t>(ix) < params.size()) {
            out += params[static_cast<std::size_t>(ix)];
            ++i;
        } else {
            out += szText[i];
        }
    }
    return out;
}

CTMessageCallback SetMessageCallback(CTMessageCallback callback) { return std::exchange(Callback(), std::move(callback)); }

void ShowStoreMessage(int nMsg, const std::vector<std::string>& params) {
    if (Callback()) Callback()(nMsg, params);
}

}  // namespace brumalis
