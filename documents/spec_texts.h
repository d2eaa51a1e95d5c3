// Specification texts: small XML documents (a cover page, a text per
// series or per model) printed into a report. Headings h1 to h4, list items
// li, line breaks br ignored, any other element a paragraph container.
// Files are hostile input: bounded in size and depth, no document type
// declaration, standard entities only.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

#include "documents/doc_output.h"

namespace brumalis {

// A parsed specification text, or why it was refused (with the byte offset
// where the parser stopped).
struct TSpecTextDocument {
    pugi::xml_document Document;
    bool Ok = false;
    std::string Error;
};

// One unit of a solution as the lookup needs it.
struct TSpecTextUnit {
    std::string Series;
    std::string Name;
};

class TRepSpecTexts {
public:
    TRepSpecTexts() = delete;

    static constexpr std::size_t kMaxBytes = 16u * 1024u * 1024u;
    static constexpr int kMaxDepth = 256;

    // The bytes of a file; a single-byte code page the declaration names is
    // decoded first.
    static void Load(std::string_view bytes, TSpecTextDocument& Doc);
    // Reads and parses a file; a missing, oversized or unreadable file is an
    // error as well.
    static void LoadFile(const std::string& szFileName, TSpecTextDocument& Doc);

    // Walks the children of the document element into the document.
    static void PrintXMLDocument(const pugi::xml_document& XMLDoc, CTDocOutput& VirtDoc);

    // The files of a solution in the folder: the first unit's series file
    // ("/" dropped, ".spt" added) when it exists, else the files of the
    // units' models that exist, in solution order, each once. A name is
    // looked for exactly, then ignoring letter case.
    static std::vector<std::string> SolutionFiles(const std::string& szFolder, const std::vector<TSpecTextUnit>& Units);
};

}  // namespace brumalis
