// The three shipped blob files in a folder, written atomically.
#pragma once

#include <string>

#include "tools/catalogue-gen/catalogue_builder.h"

namespace brumalis::catgen {

inline constexpr const char* kDatabaseFile = "device_database.qxz";
inline constexpr const char* kReferenceFile = "device_database_ref.edi";
inline constexpr const char* kPicturesFile = "chiller_pictures.qxz";

// Each file is replaced only when it was written completely.
void WriteBlobFiles(const TGeneratedCatalogue& catalogue, const std::string& szFolder);
// The example prices file (plain EDI text).
void WritePricesFile(const TGeneratedCatalogue& catalogue, const std::string& szFile);

}  // namespace brumalis::catgen
