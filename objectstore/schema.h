// The registered schema: table descriptors by class ID, all links and field
// descriptors, and the resolution step that completes inheritance and links.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "objectstore/metadata.h"

namespace brumalis {

// A schema that names a missing table or has a cycle of parents.
class CTSchemaError : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

class CTSchema {
public:
    CTSchema() = default;
    virtual ~CTSchema();
    CTSchema(const CTSchema&) = delete;
    CTSchema& operator=(const CTSchema&) = delete;

    // Puts the table at the index equal to its class ID; a class ID already
    // taken or negative raises CTSchemaError.
    CTTableInfo& RegisterTable(std::unique_ptr<CTTableInfo> pTable);
    // Creates a link from pFromTable and adds it to that table's references
    // and to the list of all links.
    CTTableLink& AddLink(CTTableInfo& fromTable, std::int32_t nAssociationID, std::string szAssociationName,
                         std::int32_t nToClsID, std::int32_t nToFieldIx, TLinkFlags flags);
    CTTableLink& AddLinkInfo(std::unique_ptr<CTTableLink> pInf);

    // Inheritance, links and inherited references; raises CTSchemaError for
    // a parent or link naming no table and for a cycle of parents.
    void ResolveSchema();

    CTTableInfo* GetTableInfo(std::int32_t nClsID) const;
    CTTableInfo* GetTableNamed(std::string_view szTblName) const;
    // The registered tables in class-ID order (no empty slots).
    std::vector<CTTableInfo*> Tables() const;
    const std::vector<CTFieldInfo*>& AllFieldInfo() const { return v_allFieldInfo; }
    const std::vector<std::unique_ptr<CTTableLink>>& AllLinkInfo() const { return v_allLinkInfo; }

protected:
    // Called for every table as it is registered.
    virtual void TableRegistered(CTTableInfo&) {}

private:
    void ResolveInheritance();
    void ResolveLinks();
    void AddInheritedReferences();

    std::vector<std::unique_ptr<CTTableInfo>> v_tableInfo;
    std::vector<CTFieldInfo*> v_allFieldInfo;
    std::vector<std::unique_ptr<CTTableLink>> v_allLinkInfo;
};

}  // namespace brumalis
