#include "tools/catalogue-gen/blob_files.h"

#include "objectstore/streams.h"

namespace brumalis::catgen {
namespace {

void WriteAtomically(const std::string& szFile, const std::string& bytes) {
    CTAtomicFileStream out(szFile);
    out.WriteAll(bytes);
    out.Commit();
}

}  // namespace

void WriteBlobFiles(const TGeneratedCatalogue& catalogue, const std::string& szFolder) {
    WriteAtomically(szFolder + "/" + kDatabaseFile, catalogue.database);
    WriteAtomically(szFolder + "/" + kReferenceFile, catalogue.reference);
    WriteAtomically(szFolder + "/" + kPicturesFile, catalogue.pictures);
}

void WritePricesFile(const TGeneratedCatalogue& catalogue, const std::string& szFile) {
    WriteAtomically(szFile, catalogue.prices);
}

}  // namespace brumalis::catgen
