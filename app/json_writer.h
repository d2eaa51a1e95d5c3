// A small streaming JSON writer: objects, arrays, strings with escapes,
// numbers with 15 significant digits and "." whatever the locale, null.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace brumalis::app {

class TJsonWriter {
public:
    explicit TJsonWriter(std::ostream& out) : v_out(out) {}

    TJsonWriter& BeginObject();
    TJsonWriter& EndObject();
    TJsonWriter& BeginArray();
    TJsonWriter& EndArray();
    // The name of the next value inside an object.
    TJsonWriter& Key(std::string_view szName);
    TJsonWriter& String(std::string_view szValue);
    TJsonWriter& Number(double dValue);  // non-finite numbers are written as null
    TJsonWriter& Integer(long long nValue);
    TJsonWriter& Bool(bool bValue);
    TJsonWriter& Null();
    // A number, or null where the result grid leaves the cell empty.
    TJsonWriter& NumberOrNull(std::optional<double> value);

private:
    void Separate();

    std::ostream& v_out;
    std::vector<bool> v_first;  // per open container: nothing written yet
    bool v_afterKey = false;
};

}  // namespace brumalis::app
