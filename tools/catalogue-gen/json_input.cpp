#include "tools/catalogue-gen/json_input.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <fstream>
#include <sstream>

namespace brumalis::catgen {
namespace {

// The parser recurses once per nesting level, so a hostile file could
// exhaust the stack; description files never nest deeper than a few levels.
constexpr int kMaxNesting = 32;

bool NestsTooDeep(const std::string& text) {
    int nDepth = 0;
    bool bInString = false;
    bool bEscaped = false;
    for (char c : text) {
        if (bInString) {
            bInString = bEscaped || c != '"';
            bEscaped = !bEscaped && c == '\\';
        } else if (c == '"') {
            bInString = true;
        } else if (c == '[' || c == '{') {
            if (++nDepth > kMaxNesting) return true;
        } else if (c == ']' || c == '}') {
            --nDepth;
        }
    }
    return false;
}

}  // namespace

TJsonNode::TJsonNode(std::shared_ptr<const nlohmann::json> root, const nlohmann::json* node, std::string path)
    : v_root(std::move(root)), v_node(node), v_path(std::move(path)) {}

TJsonNode TJsonNode::LoadFile(const std::string& szFile) {
    std::ifstream in(szFile, std::ios::binary);
    if (!in) throw TInputError("cannot read " + szFile);
    std::ostringstream text;
    text << in.rdbuf();
    return Parse(text.str(), szFile);
}

TJsonNode TJsonNode::Parse(const std::string& text, const std::string& szOrigin) {
    if (NestsTooDeep(text)) throw TInputError(szOrigin + ": nested deeper than " + std::to_string(kMaxNesting) + " levels");
    auto root = std::make_shared<nlohmann::json>();
    try {
        *root = nlohmann::json::parse(text);
    } catch (const nlohmann::json::exception& e) {
        throw TInputError(szOrigin + ": " + e.what());
    }
    const nlohmann::json* pNode = root.get();
    return TJsonNode(std::move(root), pNode, szOrigin + ":");
}

void TJsonNode::Fail(const std::string& szWhat) const { throw TInputError(v_path + " " + szWhat); }

bool TJsonNode::Has(const std::string& szKey) const { return v_node->is_object() && v_node->contains(szKey); }

TJsonNode TJsonNode::Member(const std::string& szKey) const {
    if (!v_node->is_object()) Fail("must be an object");
    const auto it = v_node->find(szKey);
    if (it == v_node->end()) Fail("lacks the member \"" + szKey + "\"");
    return TJsonNode(v_root, &*it, v_path + "/" + szKey);
}

std::vector<TJsonNode> TJsonNode::Elements() const {
    if (!v_node->is_array()) Fail("must be an array");
    std::vector<TJsonNode> elements;
    for (std::size_t i = 0; i < v_node->size(); ++i) {
        elements.push_back(TJsonNode(v_root, &(*v_node)[i], v_path + "[" + std::to_string(i) + "]"));
    }
    return elements;
}

std::vector<std::string> TJsonNode::Keys() const {
    if (!v_node->is_object()) Fail("must be an object");
    std::vector<std::string> keys;
    for (auto it = v_node->begin(); it != v_node->end(); ++it) keys.push_back(it.key());
    return keys;
}

double TJsonNode::Number() const {
    if (!v_node->is_number()) Fail("must be a number");
    const double value = v_node->get<double>();
    if (!std::isfinite(value)) Fail("must be finite");
    return value;
}

double TJsonNode::Number(double dMin, double dMax) const {
    const double value = Number();
    if (value < dMin || value > dMax) {
        std::ostringstream range;
        range.imbue(std::locale::classic());
        range << "must lie between " << dMin << " and " << dMax;
        Fail(range.str());
    }
    return value;
}

int TJsonNode::Integer(int nMin, int nMax) const {
    const double value = Number(nMin, nMax);
    if (value != std::floor(value)) Fail("must be a whole number");
    return static_cast<int>(value);
}

bool TJsonNode::Boolean() const {
    if (!v_node->is_boolean()) Fail("must be true or false");
    return v_node->get<bool>();
}

const std::string& TJsonNode::String() const {
    if (!v_node->is_string()) Fail("must be a text");
    return v_node->get_ref<const std::string&>();
}

double TJsonNode::Number(const std::string& szKey, double dMin, double dMax) const {
    return Member(szKey).Number(dMin, dMax);
}
double TJsonNode::Number(const std::string& szKey, double dMin, double dMax, double dDefault) const {
    return Has(szKey) ? Number(szKey, dMin, dMax) : dDefault;
}
int TJsonNode::Integer(const std::string& szKey, int nMin, int nMax) const { return Member(szKey).Integer(nMin, nMax); }
int TJsonNode::Integer(const std::string& szKey, int nMin, int nMax, int nDefault) const {
    return Has(szKey) ? Integer(szKey, nMin, nMax) : nDefault;
}
bool TJsonNode::Boolean(const std::string& szKey, bool bDefault) const {
    return Has(szKey) ? Member(szKey).Boolean() : bDefault;
}
std::string TJsonNode::String(const std::string& szKey) const { return Member(szKey).String(); }
std::string TJsonNode::String(const std::string& szKey, const std::string& szDefault) const {
    return Has(szKey) ? String(szKey) : szDefault;
}

}  // namespace brumalis::catgen
