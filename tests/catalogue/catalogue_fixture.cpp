#include "tests/catalogue/catalogue_fixture.h"

#include "objectstore/mem_engine.h"

namespace brumalis::testing {

void CatalogueFixture::SetUp() {
    v_registry = std::make_unique<platform::CTRegistry>(std::make_shared<platform::CTMemorySettingsStore>(),
                                                        std::make_shared<platform::CTMemorySettingsStore>(true));
    v_substitute = std::make_unique<platform::CTRegistrySubstitute>(*v_registry);
    CTBaseFactory::ClearRegisteredEngines();
    CTMemDbEngine::RegisterScratchEngine();
    factory = CreateCatalogueFactory();
    CTDbObject::SetDefaultFactory(factory.get());
    ASSERT_TRUE(factory->Connect(false));
}

std::unique_ptr<Cls_ChGlycol> CatalogueFixture::StoredBrine(const std::string& szName) {
    auto pBrine = New<Cls_ChGlycol>();
    pBrine->SetName(szName);
    return Inserted(std::move(pBrine));
}

void CatalogueFixture::AddBrinePoly(const Cls_Glycol& brine, std::int32_t nType, double a0, double a1) {
    auto pPoly = New<Cls_ChGlyPolynomial>();
    pPoly->SetType(nType);
    pPoly->SetA0(a0);
    pPoly->SetA1(a1);
    pPoly->SetGlycol(&brine);
    Inserted(std::move(pPoly));
}

void CatalogueFixture::TearDown() {
    CTDbObject::SetDefaultFactory(nullptr);
    factory.reset();
    CTBaseFactory::ClearRegisteredEngines();
    v_substitute.reset();
    v_registry.reset();
}

}  // namespace brumalis::testing
