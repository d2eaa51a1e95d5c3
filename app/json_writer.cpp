#include "app/json_writer.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace brumalis::app {

void TJsonWriter::Separate() {
    if (v_afterKey) {
        v_afterKey = false;
        return;
    }
    if (!v_first.empty()) {
        if (!v_first.back()) v_out << ',';
        v_first.back() = false;
    }
}

TJsonWriter& TJsonWriter::BeginObject() {
    Separate();
    v_out << '{';
    v_first.push_back(true);
    return *this;
}

TJsonWriter& TJsonWriter::EndObject() {
    v_first.pop_back();
    v_out << '}';
    return *this;
}

TJsonWriter& TJsonWriter::BeginArray() {
    Separate();
    v_out << '[';
    v_first.push_back(true);
    return *this;
}

TJsonWriter& TJsonWriter::EndArray() {
    v_first.pop_back();
    v_out << ']';
    return *this;
}

TJsonWriter& TJsonWriter::Key(std::string_view szName) {
    String(szName);
    v_out << ':';
    v_afterKey = true;
    return *this;
}

TJsonWriter& TJsonWriter::String(std::string_view szValue) {
    Separate();
    v_out << '"';
    for (const char c : szValue) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            v_out << '\\' << c;
        } else if (u < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", u);
            v_out << buf;
        } else {
            v_out << c;  // UTF-8 passes through
        }
    }
    v_out << '"';
    return *this;
}

TJsonWriter& TJsonWriter::Number(double dValue) {
    if (!std::isfinite(dValue)) return Null();
    Separate();
    char buf[32];
    const auto result = std::to_chars(buf, buf + sizeof buf, dValue, std::chars_format::general, 15);
    v_out.write(buf, result.ptr - buf);
    return *this;
}

TJsonWriter& TJsonWriter::Integer(long long nValue) {
    Separate();
    char buf[24];
    const auto result = std::to_chars(buf, buf + sizeof buf, nValue);
    v_out.write(buf, result.ptr - buf);
    return *this;
}

TJsonWriter& TJsonWriter::Bool(bool bValue) {
    Separate();
    v_out << (bValue ? "true" : "false");
    return *this;
}

TJsonWriter& TJsonWriter::Null() {
    Separate();
    v_out << "null";
    return *this;
}

TJsonWriter& TJsonWriter::NumberOrNull(std::optional<double> value) {
    return value ? Number(*value) : Null();
}

}  // namespace brumalis::app
