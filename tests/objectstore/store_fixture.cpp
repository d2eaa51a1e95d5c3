#include "tests/objectstore/store_fixture.h"

namespace brumalis::testing {

namespace {

std::unique_ptr<CTTableInfo> Table(std::int32_t nClsID, const std::string& szModel, std::int32_t nParent = -1,
                                   bool bNameRequired = false) {
    return std::make_unique<CTTableInfo>(nClsID, 0, szModel, nParent, false, bNameRequired);
}

void BuildSchema(CTBaseFactory& f) {
    auto controller = Table(clsController, "ChController", -1, true);
    CTDbObject::Initialize(*controller, "CTL_ID");
    controller->AddFieldInfo(ctlName, CTFieldInfo::CreateUnicodeString("CTL_Name", "", true), true);
    controller->AddFieldInfo(ctlPower, CTFieldInfo::CreateDouble("CTL_Power", 0));
    controller->AddFieldInfo(ctlBlob, CTFieldInfo::CreateBinary("CTL_Blob"));
    CTTableInfo& ctl = f.RegisterTable(std::move(controller));

    auto step = Table(clsStep, "ChControllerStep");
    CTDbObject::Initialize(*step, "CST_ID");
    step->AddFieldInfo(stpControllerRef, CTFieldInfo::CreateInteger("CST_Controller_CLS_REF", 0));
    step->AddFieldInfo(stpControllerRef + 1, CTFieldInfo::CreateInteger("CST_Controller_OBJ_REF", 0));
    step->AddFieldInfo(stpOrder, CTFieldInfo::CreateInteger("CST_Order", 0));
    step->AddFieldInfo(stpCap, CTFieldInfo::CreateDouble("CST_Cap", 0));
    f.RegisterTable(std::move(step));

    auto option = Table(clsOption, "ChOption");
    CTDbObject::Initialize(*option, "CHO_ID");
    option->AddFieldInfo(optName, CTFieldInfo::CreateUnicodeString("CHO_Name", "", false), true);
    option->AddFieldInfo(optCount, CTFieldInfo::CreateInteger("CHO_Count", 0));
    option->AddFieldInfo(optFlag, CTFieldInfo::CreateBoolean("CHO_Flag", false));
    f.RegisterTable(std::move(option));

    auto accessory = Table(clsAccessory, "ChAccessory", clsOption);
    CTDbObject::Initialize(*accessory, "ACC_ID");
    accessory->AddFieldInfo(accWeight, CTFieldInfo::CreateDouble("ACC_Weight", 0));
    f.RegisterTable(std::move(accessory));

    auto pump = Table(clsPump, "ChPump");
    CTDbObject::Initialize(*pump, "PMP_ID");
    pump->AddFieldInfo(pmpControllerRef, CTFieldInfo::CreateInteger("PMP_Controller_CLS_REF", 0));
    pump->AddFieldInfo(pmpControllerRef + 1, CTFieldInfo::CreateInteger("PMP_Controller_OBJ_REF", 0));
    f.RegisterTable(std::move(pump));

    f.AddLink(ctl, 22, "ChControllerSteps", clsStep, stpControllerRef,
              TLinkFlags{.bRefIntegr = true, .bCascDel = true, .bIsOrdered = true});
    f.AddLink(ctl, 23, "ChControllerPump", clsPump, pmpControllerRef, TLinkFlags{.bOneToOne = true, .bRefIntegr = true});
    f.ResolveSchema();
}

}  // namespace

void StoreFixture::SetUp() {
    v_previousCallback = SetMessageCallback([this](int n, const std::vector<std::string>& p) { messages.emplace_back(n, p); });
    CTBaseFactory::ClearRegisteredEngines();
    CTMemDbEngine::RegisterScratchEngine();
    CTMemDbEngine::UseCompression(true);
    CTMemDbEngine::SetCompressionSignature("QXZ");
    CTMemDbEngine::SetMaxUndoDepth(5);
    CTMemDbEngine::SetAutoCorrect(false);
    factory = std::make_unique<CTBaseFactory>("EDI", 100, 100);
    factory->AddDatabase("Chiller_Project");
    BuildSchema(*factory);
    factory->SetModifiedProc(0, CTModifiedProcEx([this](bool b, std::int32_t c, std::int32_t o, const std::string&,
                                                        std::int32_t code) {
        if (b && code == updRemoved) removals.emplace_back(c, o);
    }));
    CTDbObject::SetDefaultFactory(factory.get());
    ConnectWithFile(std::string());
}

void StoreFixture::TearDown() {
    CTDbObject::SetDefaultFactory(nullptr);
    factory.reset();
    CTBaseFactory::ClearRegisteredEngines();
    CTMemDbEngine::UseCompression(false);
    CTMemDbEngine::SetCompressionSignature(std::string());
    SetMessageCallback(v_previousCallback);
}

void StoreFixture::ConnectWithFile(const std::string& szFile) {
    if (factory->IsConnected()) factory->Disconnect();
    factory->SetDatabaseName(0, szFile);
    ASSERT_TRUE(factory->Connect(false) || !szFile.empty());
}

CTMemDbEngine& StoreFixture::Engine() const { return dynamic_cast<CTMemDbEngine&>(*factory->Engine(0)); }

std::unique_ptr<CTDbObject> StoreFixture::NewController(const std::string& szName, double dPower) {
    auto p = factory->CreateObject(clsController, 0);
    p->SetName(szName);
    p->Values().SetDoubleValue(ctlPower, dPower);
    p->Insert();
    return p;
}

std::unique_ptr<CTDbObject> StoreFixture::NewStep(const CTDbObject& controller, double dCap) {
    auto p = factory->CreateObject(clsStep, 0);
    p->SetRelationByIx(stpControllerRef, &controller);
    p->Values().SetDoubleValue(stpCap, dCap);
    p->Insert();
    return p;
}

}  // namespace brumalis::testing
