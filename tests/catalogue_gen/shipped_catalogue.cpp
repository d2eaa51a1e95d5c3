#include "tests/catalogue_gen/shipped_catalogue.h"

#include "objectstore/mem_engine.h"

namespace brumalis::testing {

std::unique_ptr<CTFactory> ShippedCatalogue::s_factory;
CTRecordList<Cls_ChOutdoorUnit> ShippedCatalogue::s_units;

void ShippedCatalogue::SetUpTestSuite() {
    CTBaseFactory::ClearRegisteredEngines();
    CTResDbEngine::RegisterEngine();
    CTMemDbEngine::RegisterScratchEngine();
    CTMemDbEngine::UseCompression(true);
    CTMemDbEngine::SetCompressionSignature("QXZ");
    s_factory = CreateCatalogueFactory();
    CTDbObject::SetDefaultFactory(s_factory.get());
    ASSERT_TRUE(s_factory->Connect(false));
    s_units = RecordsAs<Cls_ChOutdoorUnit>(CTDbObject::GetAllRecords(Cls_ChOutdoorUnit::kClassID, false));
}

void ShippedCatalogue::TearDownTestSuite() {
    s_units.clear();
    CTDbObject::SetDefaultFactory(nullptr);
    s_factory.reset();
    CTBaseFactory::ClearRegisteredEngines();
    CTMemDbEngine::UseCompression(false);
}

}  // namespace brumalis::testing
