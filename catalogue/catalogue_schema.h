// The registration of every table and link of the catalogue, prices file,
// project file and pictures with the factory, in class-ID order, each table
// followed by the links that start at it.
#pragma once

#include <cstdint>
#include <memory>

#include "objectstore/database_set.h"

namespace brumalis {

// The registrar the factory calls before it resolves the schema.
void RegisterCatalogueSchema(CTFactory& factory);

// The program's factory with the whole schema ("EDI", 100, 100 at start-up).
std::unique_ptr<CTFactory> CreateCatalogueFactory(std::string szName = "EDI", std::int32_t nVerMul100 = 100,
                                                  std::int32_t nMinVerMul100 = 100);

// The start-up set-up of the database set with the whole schema.
std::unique_ptr<CTFactory> SetUpCatalogueDatabaseSet();

}  // namespace brumalis
