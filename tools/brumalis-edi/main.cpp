// brumalis-edi: a command-line tool for the people who handle the program's
// data files (compressed containers and EDI text databases).
#include <cstring>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "tools/brumalis-edi/commands.h"

namespace {


constexpr int kExitOk = 0;
constexpr int kExitBadInput = 1;
constexpr int kExitUsage = 2;

struct Command {
    const char* name;
    int nFiles;  // 1: IN (OUT for schema), 2: IN OUT
    const char* help;
};

const Command kCommands[] = {
    {"compress", 2, "compress IN OUT\n  Writes OUT as a compressed container: the signature \"QXZ\", then the\n"
                    "  LZSS token stream of IN."},
    {"expand", 2, "expand IN OUT\n  Expands the compressed container IN into OUT; fails on anything that does\n"
                  "  not start with the signature \"QXZ\"."},
    {"rewrite", 2, "rewrite IN OUT\n  Reads the EDI database IN (compressed or plain, told by its signature) and\n"
                   "  writes it back to OUT in the same form."},
    {"dump", 1, "dump IN\n  Lists the tables of the EDI database IN with their fields (name, type,\n"
                "  default, link) and records."},
    {"check", 1, "check IN\n  Parses the EDI database IN and reports whether it is sound."},
    {"stats", 1, "stats IN\n  Loads the EDI database IN into a memory engine and lists its tables with\n"
                 "  their record counts and largest IDs, and the load time."},
    {"blob", 2, "blob NAME OUT\n  Writes the data file NAME built into this program (DEVICE_DATABASE,\n"
                "  DEVICE_DATABASE_REF, CHILLER_PICTURES, UIGLOSSARY, GLOSSARY) to OUT, as stored."},
    {"schema", 1, "schema OUT\n  Writes an empty catalogue database as plain EDI text: its structure\n"
                  "  sections list every catalogue table, field, type, default and link."},
    {"price-template", 2, "price-template CATALOGUE OUT\n  Writes OUT as a prices file for the catalogue database CATALOGUE: one\n"
                          "  header record and one price entry per unit (its name, class ID and record\n"
                          "  ID, prices 0), compressed like the program's data files, to be filled in."},
};

void PrintUsage(std::ostream& out) {
    out << "usage: brumalis-edi COMMAND [--help] FILE...\n\ncommands:\n";
    for (const Command& c : kCommands) out << "  " << c.help << "\n\n";
    out << "Exit codes: 0 success, 1 damaged or unreadable input, 2 bad usage.\n"
           "Output files are replaced only when they were written completely.\n";
}

const Command* FindCommand(const std::string& szName) {
    for (const Command& c : kCommands) {
        if (szName == c.name) return &c;
    }
    return nullptr;
}

int Run(const Command& command, const std::vector<std::string>& files) {
    namespace tool = brumalis::edi_tool;
    const std::string& in = files[0];
    try {
        const std::string name = command.name;
        if (name == "compress") tool::Compress(in, files[1]);
        if (name == "expand") tool::Expand(in, files[1]);
        if (name == "rewrite") tool::Rewrite(in, files[1]);
        if (name == "dump") tool::Dump(in, std::cout);
        if (name == "check") tool::Check(in, std::cout);
        if (name == "stats") tool::Stats(in, std::cout);
        if (name == "schema") tool::Schema(in);
        if (name == "blob") tool::WriteBlob(in, files[1]);
        if (name == "price-template") tool::PriceTemplate(in, files[1], std::cout);
        std::cout.flush();
        return std::cout ? kExitOk : kExitBadInput;
    } catch (const std::exception& e) {
        std::cerr << "brumalis-edi: " << in << ": " << e.what() << '\n';
        return kExitBadInput;
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        PrintUsage(argc < 2 ? std::cerr : std::cout);
        return argc < 2 ? kExitUsage : kExitOk;
    }
    const Command* pCommand = FindCommand(argv[1]);
    if (!pCommand) {
        std::cerr << "brumalis-edi: unknown command '" << argv[1] << "' (try --help)\n";
        return kExitUsage;
    }
    std::vector<std::string> files;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::cout << "usage: brumalis-edi " << pCommand->help << '\n';
            return kExitOk;
        }
        files.emplace_back(argv[i]);
    }
    if (static_cast<int>(files.size()) != pCommand->nFiles) {
        std::cerr << "usage: brumalis-edi " << pCommand->help << '\n';
        return kExitUsage;
    }
    return Run(*pCommand, files);
}
