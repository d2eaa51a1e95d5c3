// A factory with the whole schema, every database held by an empty memory
// engine, and a private settings store; records are built and inserted with
// typed helpers.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "catalogue/catalogue_schema.h"
#include "catalogue/records.h"
#include "platform/settings_store.h"

namespace brumalis::testing {

class CatalogueFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    template <class T>
    std::unique_ptr<T> New() {
        return RecordAs<T>(factory->CreateObject(T::kClassID, 0));
    }
    template <class T>
    std::unique_ptr<T> Inserted(std::unique_ptr<T> pRecord) {
        pRecord->Insert();
        return pRecord;
    }

    // A stored brine, and a correction polynomial a0 + a1·x of a type for it.
    std::unique_ptr<Cls_ChGlycol> StoredBrine(const std::string& szName);
    void AddBrinePoly(const Cls_Glycol& brine, std::int32_t nType, double a0, double a1);

    std::unique_ptr<CTFactory> factory;

private:
    std::unique_ptr<platform::CTRegistry> v_registry;
    std::unique_ptr<platform::CTRegistrySubstitute> v_substitute;
};

}  // namespace brumalis::testing
