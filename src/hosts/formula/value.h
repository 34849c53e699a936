#pragma once
// A formula's value as spreadsheet programs hold it: empty, number, text, boolean or an error.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "hosts/cell_value.h"

namespace plovis::formula {

enum class ErrorCode : std::uint8_t { Null, Div0, Value, Ref, Name, Num, NA };

// "#DIV/0!" and the others, as a cell shows them.
std::string_view errorText(ErrorCode e);
// The error a text names ("#N/A"), or none.
std::optional<ErrorCode> errorNamed(std::string_view text);

struct Value {
    enum class Kind : std::uint8_t { Empty, Number, Text, Boolean, Error };
    Kind kind = Kind::Empty;
    ErrorCode error = ErrorCode::Value;
    double number = 0;  // the number, or 1/0 for TRUE/FALSE
    std::string text;

    static Value of(double n) { return {Kind::Number, ErrorCode::Value, n, {}}; }
    static Value of(std::string t) { return {Kind::Text, ErrorCode::Value, 0, std::move(t)}; }
    static Value boolean(bool b) { return {Kind::Boolean, ErrorCode::Value, b ? 1.0 : 0.0, {}}; }
    static Value fault(ErrorCode e) { return {Kind::Error, e, 0, {}}; }

    bool isEmpty() const { return kind == Kind::Empty; }
    bool isNumber() const { return kind == Kind::Number; }
    bool isText() const { return kind == Kind::Text; }
    bool isBoolean() const { return kind == Kind::Boolean; }
    bool isError() const { return kind == Kind::Error; }
    bool operator==(const Value&) const = default;
};

// How a cell's stored text is to be read: as text, or as the boolean or error it shows.
enum class CellKind : std::uint8_t { Plain, Boolean, Error };

// The value a cell holds, from its stored value and kind.
Value fromCell(const CellValue& v, CellKind kind);
// The cell's value and kind for a computed value (booleans "TRUE"/"FALSE", errors their text).
CellValue toCell(const Value& v);
CellKind kindOf(const Value& v);

// A number's text as spreadsheet programs give it in a formula ("0.5", "0.00001", "1E+20"): 15
// significant digits, general form.
std::string numberText(double n);
// Text read as a number the way spreadsheet programs coerce it: blanks around, a sign, thousands
// commas, an exponent and a trailing percent sign allowed. None for anything else (also "").
std::optional<double> textNumber(std::string_view text);

// Coercions of a single value; an error value is returned as it is in `error`.
// Number: empty 0, boolean 1/0, text by textNumber or #VALUE!.
std::optional<double> asNumber(const Value& v, ErrorCode& error);
// Text: empty "", number numberText, boolean "TRUE"/"FALSE".
std::optional<std::string> asText(const Value& v, ErrorCode& error);
// Boolean: empty FALSE, number non-zero, text "TRUE"/"FALSE" (any case) or #VALUE!.
std::optional<bool> asBoolean(const Value& v, ErrorCode& error);

}  // namespace plovis::formula
