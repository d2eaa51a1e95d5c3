#include "documents/spec_texts.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <system_error>
#include <utility>

#include "dialogs/messages.h"
#include "localisation/lang_support.h"

namespace brumalis {
namespace {

namespace fs = std::filesystem;

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return out;
}

// The encoding the XML declaration names, lower case; empty without one.
std::string DeclaredEncoding(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    if (bytes.substr(0, 5) != "<?xml") return std::string();
    const std::string_view decl = bytes.substr(0, bytes.find("?>"));
    const auto at = decl.find("encoding");
    if (at == std::string_view::npos) return std::string();
    const auto quote = decl.find_first_of("\"'", at);
    if (quote == std::string_view::npos) return std::string();
    const auto end = decl.find(decl[quote], quote + 1);
    if (end == std::string_view::npos) return std::string();
    return Lower(decl.substr(quote + 1, end - quote - 1));
}

// The number of a Windows single-byte code page ("windows-1251", "cp1251"); 0 for another name.
std::uint32_t SingleBytePage(const std::string& szEncoding) {
    for (const char* prefix : {"windows-", "cp-", "cp"}) {
        const std::string p(prefix);
        if (szEncoding.rfind(p, 0) != 0) continue;
        const std::string digits = szEncoding.substr(p.size());
        if (digits.empty() || digits.size() > 4 || digits.find_first_not_of("0123456789") != std::string::npos) return 0;
        const auto n = static_cast<std::uint32_t>(std::stoul(digits));
        return n == 874 || (n >= 1250 && n <= 1258) ? n : 0;
    }
    return 0;
}

// Deeper than allowed, without recursion (the tree may be anything the file made).
bool TooDeep(const pugi::xml_node& root) {
    int nDepth = 0;
    pugi::xml_node node = root.first_child();
    if (!node) return false;
    nDepth = 1;
    while (node) {
        if (nDepth > TRepSpecTexts::kMaxDepth) return true;
        if (node.first_child()) {
            node = node.first_child();
            ++nDepth;
            continue;
        }
        while (node && !node.next_sibling()) {
            node = node.parent();
            --nDepth;
            if (node == root) return false;
        }
        if (node) node = node.next_sibling();
    }
    return false;
}

int HeadingLevel(const std::string& szName) {
    if (szName.size() == 2 && szName[0] == 'h' && szName[1] >= '1' && szName[1] <= '4') return szName[1] - '0';
    return 0;
}

// CR and LF become blanks, then leading and trailing blanks go.
std::string Cleaned(std::string_view text) {
    std::string s(text);
    std::replace(s.begin(), s.end(), '\r', ' ');
    std::replace(s.begin(), s.end(), '\n', ' ');
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

bool IsTextNode(const pugi::xml_node& node) {
    return node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata;
}

// An element whose only content is text.
bool IsTextElement(const pugi::xml_node& node) {
    if (node.type() != pugi::node_element || !node.first_child()) return false;
    return std::all_of(node.begin(), node.end(), [](const pugi::xml_node& child) { return IsTextNode(child); });
}

std::string TextOf(const pugi::xml_node& node) {
    if (IsTextNode(node)) return node.value();
    std::string text;
    for (const pugi::xml_node& child : node) text += child.value();
    return text;
}

void Heading(CTDocOutput& Doc, int nLevel, const std::string& szText) {
    switch (nLevel) {
        case 1: Doc.TextHeading1(szText, false); break;
        case 2: Doc.TextHeading2(szText, false); break;
        case 3: Doc.TextHeading3(szText, false); break;
        default: Doc.TextHeading4(szText, false); break;
    }
}

void PrintChildren(const pugi::xml_node& parent, bool bParentHandled, CTDocOutput& Doc) {
    bool bPreviousHeading = true;
    for (const pugi::xml_node& node : parent) {
        if (node.type() != pugi::node_element && !IsTextNode(node)) continue;
        const std::string szName = IsTextNode(node) ? "#text" : Lower(node.name());
        if (szName == "br") continue;
        const int nLevel = HeadingLevel(szName);
        if (nLevel > 0 && !bPreviousHeading) Doc.TextWriteln();
        bool bHandled = false;
        if (IsTextElement(node) || (IsTextNode(node) && !bParentHandled)) {
            const std::string szText = Cleaned(TextOf(node));
            if (szName == "li") {
                Doc.TextWrite("- " + szText);
                Doc.TextWriteln();
            } else if (nLevel > 0) {
                Heading(Doc, nLevel, szText);
            } else {
                Doc.TextWrite(szText);
                Doc.TextWriteln();
            }
            bHandled = true;
        }
        if (nLevel > 0) Doc.TextWriteln();
        PrintChildren(node, bHandled, Doc);
        bPreviousHeading = nLevel > 0;
    }
}

// The entry of the folder with this name, exactly or else ignoring letter case.
std::optional<std::string> FindInFolder(const std::string& szFolder, const std::string& szName) {
    std::error_code ec;
    const fs::path exact = fs::path(szFolder) / szName;
    if (fs::is_regular_file(exact, ec)) return exact.string();
    const std::string szLower = Lower(szName);
    std::optional<std::string> found;
    for (fs::directory_iterator it(szFolder, ec), end; !ec && it != end; it.increment(ec)) {
        if (Lower(it->path().filename().string()) != szLower || !it->is_regular_file(ec)) continue;
        // The first in name order, so the choice does not depend on the file system.
        if (!found || it->path().string() < *found) found = it->path().string();
    }
    return found;
}

std::string FileNameOf(std::string szStem) {
    szStem.erase(std::remove(szStem.begin(), szStem.end(), '/'), szStem.end());
    return szStem + ".spt";
}

}  // namespace

void TRepSpecTexts::Load(std::string_view bytes, TSpecTextDocument& Doc) {
    Doc.Document.reset();
    Doc.Ok = false;
    if (bytes.size() > kMaxBytes) {
        Doc.Error = "larger than " + std::to_string(kMaxBytes / (1024 * 1024)) + " MB";
        return;
    }
    const std::string szEncoding = DeclaredEncoding(bytes);
    pugi::xml_encoding encoding = pugi::encoding_auto;
    std::string decoded;
    if (const std::uint32_t nPage = SingleBytePage(szEncoding)) {
        const auto text = CTCharsetSupport::DecodeCodePage(bytes, nPage);
        if (!text) {
            Doc.Error = "not decodable as " + szEncoding;
            return;
        }
        decoded = *text;
        bytes = decoded;
        encoding = pugi::encoding_utf8;
    } else if (szEncoding == "iso-8859-1" || szEncoding == "latin1") {
        encoding = pugi::encoding_latin1;
    } else if (!szEncoding.empty() && szEncoding != "utf-8" && szEncoding != "utf8" && szEncoding != "us-ascii" &&
               szEncoding != "utf-16") {
        Doc.Error = "unsupported encoding \"" + szEncoding + "\"";
        return;
    }
    const unsigned nOptions = pugi::parse_default | pugi::parse_doctype;
    const pugi::xml_parse_result result = Doc.Document.load_buffer(bytes.data(), bytes.size(), nOptions, encoding);
    if (!result) {
        Doc.Error = std::string(result.description()) + " at offset " + std::to_string(result.offset);
        Doc.Document.reset();
        return;
    }
    for (const pugi::xml_node& node : Doc.Document) {
        if (node.type() != pugi::node_doctype) continue;
        Doc.Error = "a document type declaration is not accepted (offset " +
                    std::to_string(node.offset_debug() < 0 ? 0 : node.offset_debug()) + ")";
        Doc.Document.reset();
        return;
    }
    if (TooDeep(Doc.Document)) {
        Doc.Error = "nested deeper than " + std::to_string(kMaxDepth) + " levels";
        Doc.Document.reset();
        return;
    }
    Doc.Ok = true;
    Doc.Error.clear();
}

void TRepSpecTexts::LoadFile(const std::string& szFileName, TSpecTextDocument& Doc) {
    Doc.Document.reset();
    Doc.Ok = false;
    std::error_code ec;
    const auto nSize = fs::file_size(szFileName, ec);
    if (ec) {
        // The system's text for it is English only.
        Doc.Error = dialogs::TBaseMsg::Translate(fs::exists(szFileName, ec) ? "cannot be read" : "the file does not exist");
        return;
    }
    if (nSize > kMaxBytes) {
        Doc.Error = "larger than " + std::to_string(kMaxBytes / (1024 * 1024)) + " MB";
        return;
    }
    std::ifstream in(szFileName, std::ios::binary);
    std::string bytes(static_cast<std::size_t>(nSize), '\0');
    // Read at most what the size promised plus one byte, to see a file still growing.
    if (!in || !in.read(bytes.data(), static_cast<std::streamsize>(bytes.size())) || in.peek() != EOF) {
        Doc.Error = dialogs::TBaseMsg::Translate(in ? "changed while read" : "cannot be read");
        return;
    }
    Load(bytes, Doc);
}

void TRepSpecTexts::PrintXMLDocument(const pugi::xml_document& XMLDoc, CTDocOutput& VirtDoc) {
    const pugi::xml_node root = XMLDoc.document_element();
    if (root) PrintChildren(root, false, VirtDoc);
}

std::vector<std::string> TRepSpecTexts::SolutionFiles(const std::string& szFolder,
                                                      const std::vector<TSpecTextUnit>& Units) {
    std::vector<std::string> files;
    if (Units.empty() || szFolder.empty()) return files;
    if (auto series = FindInFolder(szFolder, FileNameOf(Units.front().Series)); series && !Units.front().Series.empty()) {
        files.push_back(*series);
        return files;
    }
    std::set<std::string> seen;
    for (const TSpecTextUnit& unit : Units) {
        if (unit.Name.empty()) continue;
        const auto file = FindInFolder(szFolder, FileNameOf(unit.Name));
        if (file && seen.insert(*file).second) files.push_back(*file);
    }
    return files;
}

}  // namespace brumalis
