// brumalis-catalogue-gen: generates the shipped catalogue, its reference and
// the picture database.
//
//   brumalis-catalogue-gen RANGE_FOLDER PUBLIC_DATA_FOLDER OUTPUT_FOLDER [PRICES_FILE]
#include <chrono>
#include <exception>
#include <iostream>

#include "tools/catalogue-gen/blob_files.h"

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) {
        std::cerr << "usage: brumalis-catalogue-gen RANGE_FOLDER PUBLIC_DATA_FOLDER OUTPUT_FOLDER [PRICES_FILE]\n"
                     "  Reads the range description and the public data and writes "
                  << brumalis::catgen::kDatabaseFile << ",\n  " << brumalis::catgen::kReferenceFile << " and "
                  << brumalis::catgen::kPicturesFile
                  << " into OUTPUT_FOLDER, and an example prices file\n  pricing every unit to PRICES_FILE.\n";
        return 2;
    }
    namespace gen = brumalis::catgen;
    try {
        const auto start = std::chrono::steady_clock::now();
        const gen::TRangeDescription range = gen::ReadRangeDescription(argv[1]);
        const gen::TPublicData data = gen::ReadPublicData(argv[2]);
        const gen::TGeneratedCatalogue catalogue = gen::GenerateCatalogue(range, data);
        gen::WriteBlobFiles(catalogue, argv[3]);
        if (argc == 5) gen::WritePricesFile(catalogue, argv[4]);
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        std::cout << catalogue.series << " series, " << catalogue.units << " units; catalogue "
                  << catalogue.expandedSize << " bytes expanded, " << catalogue.database.size()
                  << " compressed; pictures " << catalogue.pictures.size() << " bytes; " << elapsed.count()
                  << " s\n";
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "brumalis-catalogue-gen: " << e.what() << '\n';
        return 1;
    }
}
