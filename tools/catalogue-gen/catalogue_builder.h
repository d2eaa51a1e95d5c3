// Builds the catalogue and picture databases in the object store's memory
// engines from the range description and the public data, and writes them
// as the shipped blobs: the catalogue and the pictures as compressed EDI
// containers, the reference as plain EDI text with the version table only.
#pragma once

#include <cstddef>
#include <string>

#include "tools/catalogue-gen/public_data.h"
#include "tools/catalogue-gen/range_reader.h"

namespace brumalis::catgen {

struct TGeneratedCatalogue {
    std::string database;    // compressed container of the catalogue EDI text
    std::string reference;   // plain EDI text
    std::string pictures;    // compressed container of the picture EDI text
    std::string prices;      // plain EDI text of an example prices file pricing every unit
    std::size_t expandedSize = 0;  // bytes of the catalogue EDI text
    int units = 0;
    int series = 0;
};

// Same description and data, same bytes. Raises TInputError for defects of
// the input and for derived data that misses its tolerances.
TGeneratedCatalogue GenerateCatalogue(const TRangeDescription& range, const TPublicData& data);

}  // namespace brumalis::catgen
