#include "app/cli_args.h"

#include <charconv>
#include <cmath>

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
            if (i + 1 >= args.size()) throw CTUsageError("option " + arg + " needs a value");
            v_values[name] = args[++i];
            v_sequence.emplace_back(name, args[i]);
        } else {
            throw CTUsageError("unknown option " + arg);
        }
    }
    if (static_cast<int>(v_positional.size()) != spec.nPositional) {
        throw CTUsageError(spec.nPositional == 0 ? "unexpected argument '" + v_positional.front() + "'"
                                                 : "expected " + std::to_string(spec.nPositional) + " argument(s)");
    }
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
        throw CTCriteriaError("--" + szName + ": '" + szText + "' is not a number");
    }
    return d;
}

std::optional<double> TCliArgs::Number(const std::string& szName) const {
    const std::optional<std::string> text = Value(szName);
    if (!text) return std::nullopt;
    return ParseNumber(szName, *text);
}

}  // namespace brumalis::app
