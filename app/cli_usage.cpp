#include "app/cli_usage.h"

#include <cstddef>
#include <sstream>

#include "app/cli_args.h"

namespace brumalis::app {
namespace {

enum class TKind {
    Line,     // the text alone, from the margin
    Command,  // after a blank line: the syntax, then the text indented below it
    Option,   // the syntax indented, the text in the column beside it
    Note,     // the text indented, under the command's options
};

struct TEntry {
    TKind kind;
    const char* syntax;  // typed as it stands; '\n' starts a further syntax line
    const char* text;    // a glossary term, "" for none
};

constexpr std::size_t kWidth = 79;
constexpr std::size_t kCommandIndent = 2;
constexpr std::size_t kTextIndent = 6;
constexpr std::size_t kOptionColumn = 44;

// clang-format off
const TEntry kEntries[] = {
    {TKind::Line, "", "usage: brumalis COMMAND [OPTIONS]"},
    {TKind::Line, "", ""},
    {TKind::Line, "", "commands:"},
    {TKind::Command, "list [--units U]",
     "The rows of the selection list: condenser, family, compressor, refrigerant and the nominal capacity range "
     "of each row."},
    {TKind::Command, "select [criteria] [--json] [--no-store]",
     "One selection run as \"Make Selection\" performs it. Criteria not given come from the stored preferences, "
     "as in the desktop program."},
    {TKind::Option, "--condenser air|water|condenserless", "condenser type"},
    {TKind::Option, "--family cooling|heatpump|recovery|heating|condensing", "unit family"},
    {TKind::Option, "--compressor NAME  --refrigerant NAME", "the selection-list row"},
    {TKind::Option, "--cooling KW  --heating KW", "required capacities (display power unit, no sign)"},
    {TKind::Option, "--mode cooling|heating", "heat pumps: what is required"},
    {TKind::Option, "--lwe T --dte K --lwc T --dtc K", "cooling water temperatures"},
    {TKind::Option, "--ambient T", "summer ambient, or condensing temperature"},
    {TKind::Option, "--winter T --heat-lwe T --heat-dte K\n--heat-lwc T --heat-dtc K",
     "winter ambient and heating water temperatures"},
    {TKind::Option, "--evap-brine NAME --evap-percent P\n--cond-brine NAME --cond-percent P",
     "brines (a percentage alone: the brine in force)"},
    {TKind::Option, "--versions S,X,P,*  --sounds S,L,R,X", "application variants taking part"},
    {TKind::Option, "--max N", "number of solutions shown (1 to 10)"},
    {TKind::Option, "--sort deviation|eer|cop|eseer|iplv|sound|price", "order of the solutions"},
    {TKind::Option, "--units si|imperial|quantity=unit,...",
     "display units (temperature, power, flow, pressure, length); values are typed and shown in these units"},
    {TKind::Note, "",
     "Values outside the entry ranges are clamped as the desktop entries clamp them; a note on standard error "
     "says so. The run stores the criteria as preferences unless --no-store is given."},
    {TKind::Command,
     "analyse MODEL [conditions] [--low-noise [NAME]] [--heat-recovery [NAME]]\n"
     "              [--pump [NAME]] [--distance M] [--json]",
     "The Analysis page computation for one catalogue unit. MODEL as the grid shows it, suffix included "
     "(\"ACS 033 -SL\"); an option flag alone takes the unit's first option of that kind, with NAME that one."},
    {TKind::Command,
     "print-params [--line1 TEXT] [--line2 TEXT] [--line3 TEXT]\n"
     "             [--logo FILE | --no-logo]",
     "The consultant's name and address (three lines) and logo (a BMP of at most 590 x 236 pixels) in every "
     "report's footer and header. Without options shows them; with options stores them (the others kept). A logo "
     "that is too large or no readable BMP is refused, nothing stored."},
    {TKind::Command, "project new FILE", "Creates an empty project file; refuses a file that exists."},
    {TKind::Command, "project show FILE",
     "The basket of a project as the Solution Basket page shows it, and what opening it left out (units no "
     "longer in the catalogue or whose refrigerant is not allowed, options a unit no longer offers)."},
    {TKind::Command, "project save FILE --as NEW", "Writes the project to a new file (refuses one that exists)."},
    {TKind::Command, "basket add FILE [select criteria] [--pick MODEL|N] [option flags]",
     "Runs the selection as select does and adds a result (the best one, or the model or grid position --pick "
     "names), with the option flags applied, to the project's basket."},
    {TKind::Command, "basket remove FILE N\nbasket move FILE N left|right",
     "Removes the N-th solution, or swaps it with its neighbour. A changing command reads the file under an "
     "exclusive lock and writes it, atomically, only when every step succeeded; otherwise it exits 1 and the file "
     "stays as it was. Messages go to standard error. project show and the basket commands take --json."},
    {TKind::Command, "options [select criteria] [--pick MODEL|N] [option flags] [--json]",
     "The option frame of a result after the option flags: standard specs, options, kits, option code, and the "
     "result grid."},
    {TKind::Command,
     "plant [select criteria] --unit MODEL|N ... [--capacity KW]\n"
     "      [--tick I:OPT]... [--add-to FILE] [--json]",
     "Results added to the Plant Builder in order (the same one may come again); --capacity sets the plant's "
     "requirement; option flags name their plant unit from 1 (--tick 2:LN1). --add-to puts the plant into a "
     "project's basket."},
    {TKind::Command, "--tick OPT  --untick OPT  --kit OPT  --hr-leaving C  --hr-dt K",
     "Option flags, taken in order through the option checks. A refused or impossible step stops the command (exit 1). "
     "--answer yes|no answers question 269 (the pump range); without it the question is asked on a terminal, "
     "else the command exits 1."},
    {TKind::Command, "chiller [--condenser air|water|condenserless [--family F [--series S]]]",
     "The Chillers page's unit chooser."},
    {TKind::Command,
     "chiller MODEL [--low-noise OPT] [--extension OPT] [--pump OPT] [--hr OPT]\n"
     "              [--distance M] [--pictures DIR]",
     "The data sheet of a unit; --pictures writes its photograph and drawing to DIR as metafiles."},
    {TKind::Command,
     "report select [select criteria] [--take N] -o FILE\n"
     "report project FILE.cpf -o FILE\n"
     "report analyse MODEL [analyse options] -o FILE",
     "A word-processor report (RTF): the first N results of a selection (default all) as one-unit solutions, a "
     "project's basket, or an analysis. -o - writes to standard output. Sections as the Reporting Section of the "
     "preferences, changed with --cover FILE | --no-cover, --spec-texts DIR | --no-spec-texts, "
     "--[no-]operation-range, --[no-]pressure-drop, --[no-]dimensional, --eseer | --iplv. --open shows the report "
     "in the desktop's viewer; --json prints file, bytes, counts and what was left out (each also on standard "
     "error). Exit 3: written, but no viewer started."},
    {TKind::Line, "", ""},
    {TKind::Line, "",
     "Exit codes: 0 success (also when nothing qualifies), 1 bad criteria, 2 bad usage. Environment: "
     "BRUMALIS_LANGUAGE=en shows untranslated texts."},
};
// clang-format on

// Characters on a terminal: UTF-8 continuation bytes take no column.
std::size_t Columns(const std::string& s) {
    std::size_t n = 0;
    for (const char c : s) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

// Writes words from the current column (at) on, each further line starting
// at indent; an empty text ends the line all the same.
void Wrap(std::ostringstream& out, const std::string& text, std::size_t at, std::size_t indent) {
    std::istringstream words(text);
    std::string word;
    bool bLineStart = true;
    while (words >> word) {
        const std::size_t needed = Columns(word) + (bLineStart ? 0 : 1);
        if (!bLineStart && at + needed > kWidth) {
            out << '\n' << std::string(indent, ' ');
            at = indent;
            bLineStart = true;
        }
        if (!bLineStart) out << ' ';
        out << word;
        at += Columns(word) + (bLineStart ? 0 : 1);
        bLineStart = false;
    }
    out << '\n';
}

// The syntax lines at indent; answers the column where the last one ends.
std::size_t PutSyntax(std::ostringstream& out, const std::string& syntax, std::size_t indent) {
    std::istringstream lines(syntax);
    std::string line;
    bool bFirst = true;
    std::size_t end = indent;
    while (std::getline(lines, line)) {
        if (!bFirst) out << '\n';
        out << std::string(indent, ' ') << line;
        end = indent + Columns(line);
        bFirst = false;
    }
    return end;
}

void PutEntry(std::ostringstream& out, const TEntry& entry) {
    const std::string text = *entry.text ? CliText(entry.text) : std::string();
    switch (entry.kind) {
        case TKind::Line:
            Wrap(out, text, 0, 0);
            break;
        case TKind::Command:
            out << '\n';
            PutSyntax(out, entry.syntax, kCommandIndent);
            out << '\n' << std::string(kTextIndent, ' ');
            Wrap(out, text, kTextIndent, kTextIndent);
            break;
        case TKind::Option: {
            const std::size_t end = PutSyntax(out, entry.syntax, kTextIndent);
            if (end + 2 > kOptionColumn) {
                out << '\n' << std::string(kOptionColumn, ' ');
            } else {
                out << std::string(kOptionColumn - end, ' ');
            }
            Wrap(out, text, kOptionColumn, kOptionColumn);
            break;
        }
        case TKind::Note:
            out << std::string(kTextIndent, ' ');
            Wrap(out, text, kTextIndent, kTextIndent);
            break;
    }
}

}  // namespace

std::string UsageText() {
    std::ostringstream out;
    for (const TEntry& entry : kEntries) PutEntry(out, entry);
    return out.str();
}

std::vector<std::string> UsageTerms() {
    std::vector<std::string> terms;
    for (const TEntry& entry : kEntries) {
        if (*entry.text) terms.emplace_back(entry.text);
    }
    return terms;
}

}  // namespace brumalis::app
