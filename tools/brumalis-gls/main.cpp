// brumalis-gls: a command-line tool for translators, between the binary
// glossaries the program reads and the reviewable text form
// (see localisation/glossary_text.h).
#include <cstring>
#include <exception>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "localisation/glossary_text.h"

namespace {

using namespace brumalis;

constexpr int kExitOk = 0;
constexpr int kExitBadInput = 1;
constexpr int kExitUsage = 2;
constexpr const char* kSignature = "QXZ";

constexpr const char* kUsage =
    "usage: brumalis-gls COMMAND ...\n"
    "\n"
    "commands:\n"
    "  dump FILE\n"
    "    Lists the GLS3 glossary FILE (compressed or plain) in the text form:\n"
    "    @language and @charset headers, then term TAB translation per line.\n"
    "\n"
    "  build SOURCE OUT [--plain]\n"
    "    Writes the text form SOURCE as the GLS3 glossary OUT, compressed with\n"
    "    the signature \"QXZ\" unless --plain.\n"
    "\n"
    "  missing FILE --terms TERMS\n"
    "    Lists the terms of TERMS (one per line) that the glossary FILE does not\n"
    "    translate: no entry, an empty translation, or several translations.\n"
    "\n"
    "The text form is UTF-8. Lines starting with # are comments. In terms and\n"
    "translations \\\\ \\t \\n \\r stand for backslash, tab, line feed and carriage\n"
    "return; a term starting with # or @ is written \\# or \\@. A third field\n"
    "gives the charset of a translation that differs from @charset.\n"
    "\n"
    "Exit codes: 0 success, 1 damaged or unreadable input, 2 bad usage.\n"
    "Output files are replaced only when they were written completely.\n";

// A bad input: the message names the file.
struct TInputError {
    std::string szFile;
    std::string szWhat;
};

CTGlossary LoadGlossary(const std::string& szFile) {
    CTGlossary::SetUseCompression(true, kSignature);
    CTGlossary glos;
    if (!glos.LoadTermsFromFile(szFile, true, true)) throw TInputError{szFile, "not a readable GLS3 glossary"};
    return glos;
}

std::ifstream OpenText(const std::string& szFile) {
    std::ifstream in(szFile, std::ios::binary);
    if (!in) throw TInputError{szFile, "cannot be opened"};
    return in;
}

void Dump(const std::string& szFile) { WriteTextForm(LoadGlossary(szFile), std::cout); }

void Build(const std::string& szSource, const std::string& szOut, bool bPlain) {
    CTGlossary::SetUseCompression(!bPlain, kSignature);
    CTGlossary::SetSilentMode(true);
    CTGlossary glos;
    std::ifstream in = OpenText(szSource);
    try {
        ParseTextForm(in, glos);
    } catch (const CTTextFormError& e) {
        throw TInputError{szSource, e.what()};
    }
    if (in.bad()) throw TInputError{szSource, "read error"};
    if (!glos.SaveTermsToFile(szOut, true)) throw TInputError{szOut, "cannot be written"};
}

void Missing(const std::string& szFile, const std::string& szTerms) {
    const CTGlossary glos = LoadGlossary(szFile);
    std::ifstream in = OpenText(szTerms);
    std::vector<std::string> terms;
    try {
        terms = ReadTermList(in);
    } catch (const CTTextFormError& e) {
        throw TInputError{szTerms, e.what()};
    }
    for (const std::string& term : terms) {
        if (!glos.Translate(term)) std::cout << Escape(term) << '\n';
    }
}

bool IsHelp(const char* sz) { return std::strcmp(sz, "--help") == 0 || std::strcmp(sz, "-h") == 0; }

int Usage() {
    std::cerr << kUsage;
    return kExitUsage;
}

int Run(const std::vector<std::string>& args) {
    const std::string& command = args[0];
    if (command == "dump" && args.size() == 2) {
        Dump(args[1]);
    } else if (command == "build" && (args.size() == 3 || (args.size() == 4 && args[3] == "--plain"))) {
        Build(args[1], args[2], args.size() == 4);
    } else if (command == "missing" && args.size() == 4 && args[2] == "--terms") {
        Missing(args[1], args[3]);
    } else {
        return Usage();
    }
    std::cout.flush();
    return std::cout ? kExitOk : kExitBadInput;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    for (int i = 1; i < argc; ++i) {
        if (IsHelp(argv[i])) {
            std::cout << kUsage;
            return kExitOk;
        }
    }
    if (args.empty()) return Usage();
    try {
        return Run(args);
    } catch (const TInputError& e) {
        std::cerr << "brumalis-gls: " << e.szFile << ": " << e.szWhat << '\n';
        return kExitBadInput;
    } catch (const std::exception& e) {
        std::cerr << "brumalis-gls: " << args[1] << ": " << e.what() << '\n';
        return kExitBadInput;
    }
}
