#pragma once
// A property value as handlers read and write it: an integer (booleans and colours included)
// or a text.

#include "ui/texts/text.h"

#include <cstdint>
#include <string>
#include <variant>

namespace ui {

class Value {
public:
    Value(std::int32_t number) : value_(number) {}
    Value(bool flag) : value_(std::int32_t{flag ? 1 : 0}) {}
    Value(Text text) : value_(std::move(text)) {}
    Value(const char* text) : value_(Text(text ? text : "")) {}

    // The integer; a text reads as 0.
    std::int32_t integer() const {
        const auto* number = std::get_if<std::int32_t>(&value_);
        return number ? *number : 0;
    }
    bool flag() const { return integer() != 0; }

    // The text; an integer reads as the empty text.
    const Text& text() const {
        static const Text empty;
        const auto* text = std::get_if<Text>(&value_);
        return text ? *text : empty;
    }

private:
    std::variant<std::int32_t, Text> value_;
};

} // namespace ui
