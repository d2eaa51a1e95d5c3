// A value that tests put in place of what the machine would answer (the
// program path, the rights, the desktop folders): while a CTSubstitute lives,
// Current() points at its value; substitutes nest, the newest wins.
#pragma once

#include <atomic>
#include <utility>

namespace brumalis::platform {

// TTag tells apart substitutes of the same value type.
template <class TValue, class TTag>
class CTSubstitute {
public:
    explicit CTSubstitute(TValue value) : v_value(std::move(value)), v_pPrevious(Slot().exchange(&v_value)) {}
    ~CTSubstitute() { Slot().store(v_pPrevious); }
    CTSubstitute(const CTSubstitute&) = delete;
    CTSubstitute& operator=(const CTSubstitute&) = delete;

    // The newest live substitute's value, or nullptr.
    static const TValue* Current() { return Slot().load(); }

private:
    static std::atomic<const TValue*>& Slot() {
        static std::atomic<const TValue*> slot{nullptr};
        return slot;
    }

    TValue v_value;
    const TValue* v_pPrevious;
};

}  // namespace brumalis::platform
