#include "localisation/file_filter.h"

#include <gtest/gtest.h>

namespace brumalis {
namespace {

TEST(NameFilters, PairsBecomeToolkitFiltersWithoutDoubledPatterns) {
    // The text shows its pattern already: kept once, "*.*" made "*" there too.
    EXPECT_EQ(NameFiltersFromFilter("Chiller project files (*.cpf)|*.cpf|All files (*.*)|*.*"),
              "Chiller project files (*.cpf);;All files (*)");
    // Texts without patterns get them; several patterns are blank-separated.
    EXPECT_EQ(NameFiltersFromFilter("Pictures|*.bmp;*.jpg|Everything|*.*"),
              "Pictures (*.bmp *.jpg);;Everything (*)");
    // A text showing other patterns than the pair's keeps them and gets the real ones.
    EXPECT_EQ(NameFiltersFromFilter("Word (*.doc)|*.rtf"), "Word (*.doc) (*.rtf)");
    EXPECT_EQ(NameFiltersFromFilter("Файлы проектов (*.cpf)|*.cpf"), "Файлы проектов (*.cpf)");
    // Broken filters lose only their broken parts.
    EXPECT_EQ(NameFiltersFromFilter("Text|*.txt|Dangling"), "Text (*.txt)");
    EXPECT_EQ(NameFiltersFromFilter("Nothing| ;|Text| *.txt "), "Text (*.txt)");
    EXPECT_EQ(NameFiltersFromFilter("|*.cpf"), "(*.cpf)");
    EXPECT_EQ(NameFiltersFromFilter(""), "");
}

}  // namespace
}  // namespace brumalis
