// Typed access to a JSON description file that treats the file as hostile:
// every missing member, wrong type or value out of range raises TInputError
// naming the file and the path of the member.
#pragma once

#include <nlohmann/json_fwd.hpp>

#include <memory>
#include <string>
#include <vector>

#include "tools/catalogue-gen/csv_table.h"

namespace brumalis::catgen {

class TJsonNode {
public:
    // Parses the file; syntax errors raise TInputError with the file name.
    static TJsonNode LoadFile(const std::string& szFile);
    static TJsonNode Parse(const std::string& text, const std::string& szOrigin);

    bool Has(const std::string& szKey) const;
    TJsonNode Member(const std::string& szKey) const;
    // The elements of an array member (raises when it is not an array).
    std::vector<TJsonNode> Elements() const;
    std::vector<std::string> Keys() const;

    double Number() const;
    // A number within [dMin, dMax].
    double Number(double dMin, double dMax) const;
    int Integer(int nMin, int nMax) const;
    bool Boolean() const;
    const std::string& String() const;

    // Member shortcuts; the optional forms answer the default when absent.
    double Number(const std::string& szKey, double dMin, double dMax) const;
    double Number(const std::string& szKey, double dMin, double dMax, double dDefault) const;
    int Integer(const std::string& szKey, int nMin, int nMax) const;
    int Integer(const std::string& szKey, int nMin, int nMax, int nDefault) const;
    bool Boolean(const std::string& szKey, bool bDefault) const;
    std::string String(const std::string& szKey) const;
    std::string String(const std::string& szKey, const std::string& szDefault) const;

    [[noreturn]] void Fail(const std::string& szWhat) const;

private:
    TJsonNode(std::shared_ptr<const nlohmann::json> root, const nlohmann::json* node, std::string path);

    std::shared_ptr<const nlohmann::json> v_root;  // keeps the document alive
    const nlohmann::json* v_node;
    std::string v_path;
};

}  // namespace brumalis::catgen
