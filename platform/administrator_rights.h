// Whether this process may change what belongs to all users of the machine
// (the all-users desktop entries, the machine hive).
#pragma once

namespace brumalis::platform {

// True when the effective user is root, or what a live
// CTAdministratorRightsSubstitute says.
bool HaveAdministratorRights();

// Makes HaveAdministratorRights() answer bHave for its own lifetime (tests,
// which run as root and as a normal user alike).
class CTAdministratorRightsSubstitute {
public:
    explicit CTAdministratorRightsSubstitute(bool bHave);
    ~CTAdministratorRightsSubstitute();
    CTAdministratorRightsSubstitute(const CTAdministratorRightsSubstitute&) = delete;
    CTAdministratorRightsSubstitute& operator=(const CTAdministratorRightsSubstitute&) = delete;

private:
    bool v_bHave;
    const bool* v_pPrevious;
};

}  // namespace brumalis::platform
