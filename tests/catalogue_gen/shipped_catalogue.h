// The embedded catalogue and pictures loaded the way the program loads them:
// resource engine for the blobs, memory engine for the file databases.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "catalogue/catalogue_schema.h"
#include "catalogue/records.h"

namespace brumalis::testing {

class ShippedCatalogue : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();

    static std::unique_ptr<CTFactory> s_factory;
    static CTRecordList<Cls_ChOutdoorUnit> s_units;
};

}  // namespace brumalis::testing
