#include "tools/catalogue-gen/csv_table.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>

namespace brumalis::catgen {
namespace {

// Cells may be quoted ("4,160V"); a doubled quote inside stands for one.
std::vector<std::string> SplitLine(std::string_view line) {
    std::vector<std::string> cells(1);
    bool bQuoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"' && bQuoted && i + 1 < line.size() && line[i + 1] == '"') {
            cells.back() += c;
            ++i;
        } else if (c == '"') {
            bQuoted = !bQuoted;
        } else if (c == ',' && !bQuoted) {
            cells.emplace_back();
        } else if (c != '\r') {
            cells.back() += c;
        }
    }
    return cells;
}

}  // namespace

std::optional<double> ParseNumber(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

TCsvTable TCsvTable::Load(const std::string& szFile) {
    std::ifstream in(szFile, std::ios::binary);
    if (!in) throw TInputError("cannot read " + szFile);
    std::ostringstream text;
    text << in.rdbuf();
    return Parse(text.str(), szFile);
}

TCsvTable TCsvTable::Parse(std::string_view text, std::string szOrigin) {
    TCsvTable table;
    table.v_origin = std::move(szOrigin);
    std::size_t nLine = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++nLine;
        if (line.empty() || line == "\r") continue;
        std::vector<std::string> cells = SplitLine(line);
        if (table.v_header.empty()) {
            table.v_header = std::move(cells);
        } else if (cells.size() != table.v_header.size()) {
            throw TInputError(table.v_origin + ":" + std::to_string(nLine) + ": " + std::to_string(cells.size()) +
                              " cells where the header has " + std::to_string(table.v_header.size()));
        } else {
            table.v_rows.push_back(std::move(cells));
        }
    }
    if (table.v_header.empty()) throw TInputError(table.v_origin + ": no header row");
    return table;
}

std::size_t TCsvTable::Column(std::string_view szName) const {
    for (std::size_t i = 0; i < v_header.size(); ++i) {
        if (v_header[i] == szName) return i;
    }
    throw TInputError(v_origin + ": no column \"" + std::string(szName) + "\"");
}

const std::string& TCsvTable::Text(std::size_t nRow, std::string_view szColumn) const {
    return v_rows.at(nRow)[Column(szColumn)];
}

double TCsvTable::Number(std::size_t nRow, std::string_view szColumn) const {
    if (const std::optional<double> value = OptionalNumber(nRow, szColumn)) return *value;
    throw TInputError(v_origin + ": data row " + std::to_string(nRow + 1) + ", column \"" + std::string(szColumn) +
                      "\": a number is required");
}

std::optional<double> TCsvTable::OptionalNumber(std::size_t nRow, std::string_view szColumn) const {
    const std::string& text = Text(nRow, szColumn);
    if (text.empty()) return std::nullopt;
    if (const std::optional<double> value = ParseNumber(text)) return value;
    throw TInputError(v_origin + ": data row " + std::to_string(nRow + 1) + ", column \"" + std::string(szColumn) +
                      "\": \"" + text + "\" is not a number");
}

}  // namespace brumalis::catgen
