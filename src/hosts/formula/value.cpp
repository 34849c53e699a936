#include "hosts/formula/value.h"

#include <array>
#include <charconv>
#include <cmath>

#include "common/number_format.h"
#include "common/text.h"

namespace plovis::formula {
namespace {

constexpr std::array<std::string_view, 7> kErrorTexts = {"#NULL!", "#DIV/0!", "#VALUE!", "#REF!",
                                                         "#NAME?", "#NUM!",   "#N/A"};

}  // namespace

std::string_view errorText(ErrorCode e) {
    return kErrorTexts[static_cast<std::size_t>(e)];
}

std::optional<ErrorCode> errorNamed(std::string_view text) {
    for (std::size_t i = 0; i < kErrorTexts.size(); ++i) {
        if (equalsIgnoringCase(kErrorTexts[i], text)) return static_cast<ErrorCode>(i);
    }
    return std::nullopt;
}

Value fromCell(const CellValue& v, CellKind kind) {
    if (const double* d = std::get_if<double>(&v)) return Value::of(*d);
    const std::string* s = std::get_if<std::string>(&v);
    if (!s) return {};
    if (kind == CellKind::Boolean) return Value::boolean(equalsIgnoringCase(*s, "TRUE"));
    if (kind == CellKind::Error) {
        if (const auto e = errorNamed(*s)) return Value::fault(*e);
    }
    return Value::of(*s);
}

CellValue toCell(const Value& v) {
    switch (v.kind) {
        case Value::Kind::Number:
            return v.number;
        case Value::Kind::Text:
            return v.text;
        case Value::Kind::Boolean:
            return std::string(v.number != 0 ? "TRUE" : "FALSE");
        case Value::Kind::Error:
            return std::string(errorText(v.error));
        case Value::Kind::Empty:
            break;
    }
    return {};
}

CellKind kindOf(const Value& v) {
    if (v.isBoolean()) return CellKind::Boolean;
    return v.isError() ? CellKind::Error : CellKind::Plain;
}

std::string numberText(double n) {
    std::string general = generalForm(n);
    const std::size_t e = general.find("E-");
    if (e == std::string::npos) return general;
    // A small number is written out in full while that takes at most 20 characters:
    // 0.00001, 0.000000056789012345, but 1.23456789012346E-05.
    const std::size_t sign = general.front() == '-' ? 1 : 0;
    std::string digits = general.substr(sign, e - sign);
    std::erase(digits, '.');
    const std::size_t zeros = static_cast<std::size_t>(std::stoi(general.substr(e + 2)) - 1);
    if (2 + zeros + digits.size() > 20) return general;
    return general.substr(0, sign) + "0." + std::string(zeros, '0') + digits;
}

std::optional<double> textNumber(std::string_view text) {
    text = trimBlanks(text);
    bool percent = false;
    if (!text.empty() && text.back() == '%') {
        percent = true;
        text = trimBlanks(text.substr(0, text.size() - 1));
    }
    const auto digit = [&](std::size_t k) {
        return k < text.size() && text[k] >= '0' && text[k] <= '9';
    };
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        // A thousands comma stands between digits, three digits before the next non-digit.
        if (text[i] == ',' && i > 0 && digit(i - 1) && digit(i + 1) && digit(i + 2) &&
            digit(i + 3) && !digit(i + 4)) {
            continue;
        }
        plain += text[i];
    }
    std::string_view t = plain;
    if (!t.empty() && t.front() == '+') t.remove_prefix(1);
    if (t.empty() || t.front() == '+' || t.front() == 'i' || t.front() == 'I' || t.front() == 'n' ||
        t.front() == 'N') {
        return std::nullopt;
    }
    double value = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (ec != std::errc() || end != t.data() + t.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return percent ? value / 100 : value;
}

std::optional<double> asNumber(const Value& v, ErrorCode& error) {
    switch (v.kind) {
        case Value::Kind::Empty:
            return 0.0;
        case Value::Kind::Number:
        case Value::Kind::Boolean:
            return v.number;
        case Value::Kind::Text:
            if (const auto n = textNumber(v.text)) return n;
            error = ErrorCode::Value;
            return std::nullopt;
        case Value::Kind::Error:
            break;
    }
    error = v.error;
    return std::nullopt;
}

std::optional<std::string> asText(const Value& v, ErrorCode& error) {
    switch (v.kind) {
        case Value::Kind::Empty:
            return std::string();
        case Value::Kind::Number:
            return numberText(v.number);
        case Value::Kind::Boolean:
            return std::string(v.number != 0 ? "TRUE" : "FALSE");
        case Value::Kind::Text:
            return v.text;
        case Value::Kind::Error:
            break;
    }
    error = v.error;
    return std::nullopt;
}

std::optional<bool> asBoolean(const Value& v, ErrorCode& error) {
    switch (v.kind) {
        case Value::Kind::Empty:
            return false;
        case Value::Kind::Number:
        case Value::Kind::Boolean:
            return v.number != 0;
        case Value::Kind::Text:
            if (equalsIgnoringCase(v.text, "TRUE")) return true;
            if (equalsIgnoringCase(v.text, "FALSE")) return false;
            error = ErrorCode::Value;
            return std::nullopt;
        case Value::Kind::Error:
            break;
    }
    error = v.error;
    return std::nullopt;
}

}  // namespace plovis::formula
