// Errors of the object store and the capabilities an engine may have.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace brumalis {

enum CTDbExceptionCode : int {
    excRecNotFound = 0,
    excRecNotInDB = 1,
    excRecAlreadyInDB = 2,
    excRelRequired = 3,
    excOneToOne = 4,
    excDbStructure = 5,
    excTypeError = 6,
    excCapable = 7,
    excNotCapable = 8,
    excIsAbstract = 9,
    excNoEngines = 10,
    excReadOnly = 11,
    excIDUsed = 12,
};

// Raised by the object store; the text is "CTDbException: " and the code's text.
class CTDbException : public std::runtime_error {
public:
    CTDbException(int nCode, const std::string& szExtra);
    int Code() const { return v_code; }

    [[noreturn]] static void RaiseExc(int nCode, const std::string& szExtra = std::string());
    static std::string TextFor(int nCode, const std::string& szExtra);

private:
    int v_code;
};

// Raised by the factory: "Database already connected", "Database not connected".
class LTBseFactExc : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum CTDbCapability : int {
    dbcSelectByExample = 0,
    dbcSelectLikeExample = 1,
    dbcRemoveByExample = 2,
    dbcInheritance = 3,
    dbcUndo = 4,
    dbcRedo = 5,
    dbcSort = 6,
    dbcLiveData = 7,
    dbcChooseDb = 8,
    dbcInsertWithID = 9,
    dbcPreparedQuery = 10,
};

using CTDbCapabilities = std::uint16_t;

constexpr CTDbCapabilities CapabilitySet(std::initializer_list<CTDbCapability> caps) {
    CTDbCapabilities set = 0;
    for (CTDbCapability c : caps) set = static_cast<CTDbCapabilities>(set | (1u << c));
    return set;
}

std::string CapabilityString(int nCap);

}  // namespace brumalis
