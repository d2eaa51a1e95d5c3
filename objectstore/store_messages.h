// The numbered messages the object store shows to the user, and the callback
// through which it shows them (the dialog framework installs the real one).
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace brumalis {

enum CTStoreMessage : int {
    msgUnableToOpenFile = -2,      // "Unable to open file $1"
    msgUnableToCreateFile = -3,    // "Unable to create file $1"
    msgVerifyingDatabases = 5000,
    msgInvalidStructure = 5004,
    msgNotOdbcDatabase = 5007,
    msgRangeCheck = 5011,
    msgValueRequired = 5012,
    msgValueUnique = 5013,
    msgIncorrectVersion = 5014,
    msgTextFile = 5025,
};

// The English text of a store message (-2, -3, 5000..5026), empty for others.
std::string StoreMessageText(int nMsg);
// "$1".."$9", then "$A".. for the tenth and later parameters.
std::string FillMessageParameters(const std::string& szText, const std::vector<std::string>& params);

using CTMessageCallback = std::function<void(int nMsg, const std::vector<std::string>& params)>;
// Installs the process-wide callback; answers the previous one.
CTMessageCallback SetMessageCallback(CTMessageCallback callback);
void ShowStoreMessage(int nMsg, const std::vector<std::string>& params = {});

}  // namespace brumalis
