// The program's database set: the catalogue and the pictures read from
// embedded blobs, the prices file and the project as user files; the
// catalogue's version record; the engine set-up done at program start.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "objectstore/base_factory.h"
#include "objectstore/db_object.h"
#include "objectstore/mem_engine.h"

namespace brumalis {

enum CTDatabaseIndex : int {
    dbDeviceDatabase = 0,    // "Device_Database": the catalogue
    dbPricingAndPrefs = 1,   // "Pricing_And_Prefs": the prices file
    dbChillerProject = 2,    // "Chiller_Project": the project being edited
    dbChillerPictures = 3,   // "Chiller_Pictures": unit pictures and drawings
};

class CTFactory : public CTBaseFactory {
public:
    // Registers the tables of the other subsystems (catalogue, projects)
    // before the schema is resolved.
    using CTSchemaRegistrar = std::function<void(CTFactory&)>;

    // Declares the four databases, the version table and whatever the
    // registrar adds, then resolves the schema.
    CTFactory(std::string szName, std::int32_t nVerMul100, std::int32_t nMinVerMul100,
              const CTSchemaRegistrar& registrar = {});
};

// An engine that reads its database from the embedded blob named by the
// database's logical name; always read-only.
class CTResDbEngine : public CTMemDbEngine {
public:
    CTResDbEngine(CTBaseFactory& factory, std::string szLogicalName, std::string szDatabaseName, bool bReadOnly,
                  int nEngineIndex);

    static constexpr CTDbCapabilities kCapabilities = CapabilitySet(
        {dbcSelectByExample, dbcRemoveByExample, dbcInheritance, dbcUndo, dbcRedo, dbcInsertWithID});

    // Offers this engine for every database whose logical name names a blob.
    static void RegisterEngine();
    // Any failure answers false, silently.
    bool Connect(const std::string& szUserName, const std::string& szPassword, bool bMustFlagErrors) override;
    std::string GetTypeString() const override { return "Resource"; }
};

// The catalogue's version record (table "Tbl_DdbVersionInfo", class 101).
class Cls_DdbVersionInfo : public CTDbObject {
public:
    static constexpr std::int32_t kClassID = 101;
    enum Field : int { fldID = 0, fldDataRegion, fldDbVersion, fldDataVersion, fldApplicationFlags };

    explicit Cls_DdbVersionInfo(std::int32_t nObjID = 0, CTBaseFactory* pFactory = nullptr)
        : CTDbObject(kClassID, nObjID, pFactory) {}

    static void Initialize(CTTableInfo& tblInfo, const std::string& szIDFieldName);
    static void Register(CTBaseFactory& factory);

    std::int32_t GetDataRegion() const { return Values().GetIntegerValue(fldDataRegion); }
    void SetDataRegion(std::int32_t n) { Values().SetIntegerValue(fldDataRegion, n); }
    bool ChkDataRegion(const CTEditingForm*) const { return true; }
    const std::string& GetDbVersion() const { return Values().GetUnicodeStringValue(fldDbVersion); }
    void SetDbVersion(std::string_view sz) { Values().SetUnicodeStringValue(fldDbVersion, sz); }
    bool ChkDbVersion(const CTEditingForm*) const { return true; }
    const std::string& GetDataVersion() const { return Values().GetUnicodeStringValue(fldDataVersion); }
    void SetDataVersion(std::string_view sz) { Values().SetUnicodeStringValue(fldDataVersion, sz); }
    bool ChkDataVersion(const CTEditingForm*) const { return true; }
    std::int32_t GetApplicationFlags() const { return Values().GetIntegerValue(fldApplicationFlags); }
    void SetApplicationFlags(std::int32_t n) { Values().SetIntegerValue(fldApplicationFlags, n); }
    bool ChkApplicationFlags(const CTEditingForm*) const { return true; }

    // Each works on the single version record of the default factory and
    // answers an empty or zero value when there is none.
    static bool CheckVersion(const std::string& szVersion, CTBaseFactory* pFactory, bool bFlagErrors);
    static std::string GetOrvaneVersion();
    static void SetOrvaneVersion(const std::string& szNewVersion);
    static std::int32_t GetRegion();
    static std::int32_t GetAppFlags();
    static void SetAppFlags(std::int32_t nFlags);
};

// The catalogue structure version the program expects: the version text at
// the end of the reference blob (or of szFallbackBlob when there is none);
// empty when neither exists or the blob is longer than 200 bytes.
std::string ExpectedStructureVersion(const std::string& szReferenceBlob = "Device_Database_Ref",
                                     const std::string& szFallbackBlob = "Device_Database");

// The start-up set-up: engines registered (resource engine first), compression
// on with "QXZ", the factory created and made the default, databases 1 and 2
// without a file, 0, 1 and 3 read-only, and the data-source entries of 1 and
// 2 present. The factory is not connected yet.
std::unique_ptr<CTFactory> SetUpDatabaseSet(const CTFactory::CTSchemaRegistrar& registrar = {});

}  // namespace brumalis
