// A comma-separated table with a header row, as the public data sets ship
// them: cells are looked up by column name and numbers are read with "."
// whatever the locale. Malformed input raises TInputError naming file, row
// and column.
#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace brumalis::catgen {

// Any defect of the generator's input (description files, public data).
class TInputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The whole number text as a double, or nullopt (empty, trailing junk, not finite).
std::optional<double> ParseNumber(std::string_view text);

class TCsvTable {
public:
    // Reads the file; raises TInputError when it cannot be read, has no
    // header or a row with another cell count than the header.
    static TCsvTable Load(const std::string& szFile);
    static TCsvTable Parse(std::string_view text, std::string szOrigin);

    std::size_t RowCount() const { return v_rows.size(); }
    const std::string& Text(std::size_t nRow, std::string_view szColumn) const;
    // The cell as a number; raises TInputError for anything else.
    double Number(std::size_t nRow, std::string_view szColumn) const;
    // The cell as a number, or nullopt when it is empty.
    std::optional<double> OptionalNumber(std::size_t nRow, std::string_view szColumn) const;

private:
    std::size_t Column(std::string_view szName) const;

    std::string v_origin;
    std::vector<std::string> v_header;
    std::vector<std::vector<std::string>> v_rows;
};

}  // namespace brumalis::catgen
