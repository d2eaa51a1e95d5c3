#include "tests/catalogue/catalogue_fixture.h"

#include "objectstore/mem_engine.h"

namespace brumalis::testing {

void CatalogueFixture::SetUp() {
    v_registry = std::make_unique<platform::CTRegistry>(std::make_shared<platform::CTMemorySettingsStore>(),
                                                        std::make_shared<platform::CTMemorySettingsStore>(true));
    v_substitute = std::make_unique<platform::CTRegistrySubstitute>(*v_registry);
    CTBaseFactory::ClearRegisteredEngines();
    CTBaseFactory::RegisterEngine("memory", [](const TEngineOffer& offer) {
        return std::make_unique<CTMemDbEngine>(offer.factory, offer.szLogicalName, offer.szDatabaseName,
                                               offer.bReadOnly, offer.nEngineIndex);
    });
    factory = CreateCatalogueFactory();
    CTDbObject::SetDefaultFactory(factory.get());
    ASSERT_TRUE(factory->Connect(false));
}

void CatalogueFixture::TearDown() {
    CTDbObject::SetDefaultFactory(nullptr);
    factory.reset();
    CTBaseFactory::ClearRegisteredEngines();
    v_substitute.reset();
    v_registry.reset();
}

}  // namespace brumalis::testing
