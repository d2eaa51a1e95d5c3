#include "app/cli_args.h"

#include <cctype>
#include <charconv>
#include <cmath>

#include "dialogs/messages.h"
#include "localisation/embedded_glossary.h"

namespace brumalis::app {

TCliArgs::TCliArgs(const std::vector<std::string>& args, const TCommandSpec& spec) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.rfind("--", 0) != 0) {
            v_positional.push_back(arg);
            continue;
        }
        const std::string name = arg.substr(2);
        if (spec.flags.count(name)) {
            v_flags.insert(name);
        } else if (spec.optionalValues.count(name)) {
            v_flags.insert(name);
            if (i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0) {
                v_values[name] = args[++i];
                v_sequence.emplace_back(name, args[i]);
            }
        } else if (spec.valueOptions.count(name)) {
            if (i + 1 >= args.size()) throw CTUsageError(CliText("option $1 needs a value", {arg}));
            v_values[name] = args[++i];
            v_sequence.emplace_back(name, args[i]);
        } else {
            throw CTUsageError(CliText("unknown option $1", {arg}));
        }
    }
    if (static_cast<int>(v_positional.size()) != spec.nPositional) {
        throw CTUsageError(spec.nPositional == 0 ? CliText("unexpected argument '$1'", {v_positional.front()})
                                                 : CliText("expected $1 argument(s)", {std::to_string(spec.nPositional)}));
    }
}

namespace {

// A usage error is found before the program's start has installed the
// translation: its own copy of the glossary then translates, read once and
// only on that path.
const CTGlossary* CliGlossary() {
    static const CTGlossary* const pGlossary = [] {
        static CTGlossary glossary;
        return LoadEmbeddedGlossary(glossary, "UIGLOSSARY", "UIGlossary") ? &glossary : nullptr;
    }();
    return pGlossary;
}

std::string TranslatedTerm(const std::string& szTerm) {
    std::string text = dialogs::TBaseMsg::Translate(szTerm);
    if (text != szTerm || dialogs::TBaseMsg::TranslationDisabled()) return text;
    const CTGlossary* pGlossary = CliGlossary();
    return pGlossary ? pGlossary->Translate(szTerm).value_or(szTerm) : szTerm;
}

}  // namespace

CTCliTranslation::CTCliTranslation() {
    const CTGlossary* pGlossary = dialogs::TBaseMsg::TranslationDisabled() ? nullptr : CliGlossary();
    if (!pGlossary) return;
    v_bInstalled = true;
    v_previous = dialogs::TBaseMsg::SetTranslateFunc(
        [pGlossary](const std::string& szText) { return pGlossary->Translate(szText).value_or(szText); });
}

CTCliTranslation::~CTCliTranslation() {
    if (v_bInstalled) dialogs::TBaseMsg::SetTranslateFunc(v_previous);
}

std::string CliText(const std::string& szTerm, const std::vector<std::string>& params) {
    const std::string term = TranslatedTerm(szTerm);
    // One pass, so that a typed value holding "$2" stays as typed.
    std::string text;
    for (std::size_t i = 0; i < term.size(); ++i) {
        std::size_t end = i + 1;
        while (end < term.size() && std::isdigit(static_cast<unsigned char>(term[end]))) ++end;
        const std::size_t n = term[i] == '$' && end > i + 1 && end <= i + 3 ? std::stoul(term.substr(i + 1, end - i - 1)) : 0;
        if (n >= 1 && n <= params.size()) {
            text += params[n - 1];
            i = end - 1;
        } else {
            text += term[i];
        }
    }
    return text;
}

std::optional<std::string> TCliArgs::Value(const std::string& szName) const {
    const auto it = v_values.find(szName);
    if (it == v_values.end()) return std::nullopt;
    return it->second;
}

std::vector<std::string> TCliArgs::Values(const std::string& szName) const {
    std::vector<std::string> values;
    for (const auto& [name, value] : v_sequence) {
        if (name == szName) values.push_back(value);
    }
    return values;
}

double ParseNumber(const std::string& szName, const std::string& szText) {
    // Strictly a number here: a script's typo must not silently become 0.
    std::string normal = szText;
    for (char& c : normal) c = c == ',' ? '.' : c;
    const char* begin = normal.data() + (normal.rfind('+', 0) == 0 ? 1 : 0);
    const char* end = normal.data() + normal.size();
    double d = 0.0;
    const auto result = std::from_chars(begin, end, d);
    if (result.ec != std::errc() || result.ptr != end || !std::isfinite(d)) {
        throw CTCriteriaError(CliText("--$1: '$2' is not a number", {szName, szText}));
    }
    return d;
}

std::optional<double> TCliArgs::Number(const std::string& szName) const {
    const std::optional<std::string> text = Value(szName);
    if (!text) return std::nullopt;
    return ParseNumber(szName, *text);
}

}  // namespace brumalis::app
