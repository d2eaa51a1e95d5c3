// The command line's arguments: a command, positional words and "--name
// value" options (flags take no value), checked against what the command
// accepts.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace brumalis::app {

// Bad usage (unknown option, missing value): exit code 2.
class CTUsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Bad criteria (unknown model, a value that is no number): exit code 1.
class CTCriteriaError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A message term in the program's language with $1, $2... replaced by the
// parameters (option names, typed values), which stay as they are.
std::string CliText(const std::string& szTerm, const std::vector<std::string>& params = {});

// For a command that runs without the program's start: until destroyed,
// the program's own texts (numbered messages, captions) translate through
// the command line's copy of the glossary.
class CTCliTranslation {
public:
    CTCliTranslation();
    ~CTCliTranslation();
    CTCliTranslation(const CTCliTranslation&) = delete;
    CTCliTranslation& operator=(const CTCliTranslation&) = delete;

private:
    bool v_bInstalled = false;
    std::function<std::string(const std::string&)> v_previous;
};

struct TCommandSpec {
    std::set<std::string> valueOptions;
    std::set<std::string> flags;
    int nPositional = 0;
    // Flags that take the next word as their value unless it is an option.
    std::set<std::string> optionalValues = {};
};

class TCliArgs {
public:
    // argv without the program name and the command.
    TCliArgs(const std::vector<std::string>& args, const TCommandSpec& spec);

    // The last value given for the option.
    std::optional<std::string> Value(const std::string& szName) const;
    // Every value given for an option that may repeat, in order.
    std::vector<std::string> Values(const std::string& szName) const;
    // The valued options as given, name and value, in order.
    const std::vector<std::pair<std::string, std::string>>& Sequence() const { return v_sequence; }
    // Also true for an optional-value option given with its value.
    bool Flag(const std::string& szName) const { return v_flags.count(szName) != 0; }
    const std::vector<std::string>& Positional() const { return v_positional; }
    // The option as a number (the program's own number reading, "." or ",").
    std::optional<double> Number(const std::string& szName) const;

private:
    std::map<std::string, std::string> v_values;
    std::set<std::string> v_flags;
    std::vector<std::string> v_positional;
    std::vector<std::pair<std::string, std::string>> v_sequence;
};

// The value of option --szName as a number ("." or ","); bad criteria otherwise.
double ParseNumber(const std::string& szName, const std::string& szText);

}  // namespace brumalis::app
