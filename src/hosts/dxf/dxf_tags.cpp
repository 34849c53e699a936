#include "hosts/dxf/dxf_tags.h"

#include <charconv>
#include <cmath>

#include "hosts/cad_types.h"
#include "hosts/host_error.h"

namespace plovis::dxf {
namespace {

constexpr std::size_t kLongestLine = 1000;

enum class ValueType { Invalid, Text, Real, Integer };

// The kind of value each range of group codes carries, from the DXF reference; codes outside
// every range do not exist.
constexpr struct {
    int first, last;
    ValueType type;
} kCodeRanges[] = {
    {0, 9, ValueType::Text},          {10, 59, ValueType::Real},
    {60, 79, ValueType::Integer},     {90, 99, ValueType::Integer},
    {100, 109, ValueType::Text},      {110, 149, ValueType::Real},
    {160, 179, ValueType::Integer},   {210, 239, ValueType::Real},
    {270, 299, ValueType::Integer},   {300, 369, ValueType::Text},
    {370, 389, ValueType::Integer},   {390, 399, ValueType::Text},
    {400, 409, ValueType::Integer},   {410, 419, ValueType::Text},
    {420, 429, ValueType::Integer},   {430, 439, ValueType::Text},
    {440, 459, ValueType::Integer},   {460, 469, ValueType::Real},
    {470, 481, ValueType::Text},      {999, 999, ValueType::Text},
    {1000, 1009, ValueType::Text},    {1010, 1059, ValueType::Real},
    {1060, 1071, ValueType::Integer},
};

ValueType valueTypeOf(int code) {
    for (const auto& range : kCodeRanges) {
        if (code >= range.first && code <= range.last) return range.type;
    }
    return ValueType::Invalid;
}

template <class Number>
bool parseNumber(std::string_view text, Number& value) {
    std::string_view s = trimmed(text);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    return !s.empty() && ec == std::errc() && end == s.data() + s.size();
}

std::string shown(std::string_view value) {
    return "\"" + std::string(trimmed(value).substr(0, 40)) + "\"";
}

}  // namespace

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

bool TagReader::next(Tag& tag) {
    std::string_view codeLine;
    if (!readLine(codeLine)) return false;
    tag.line = line_;
    const std::string_view digits = trimmed(codeLine);
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), tag.code);
    if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size()) {
        fail(line_, "\"" + std::string(digits.substr(0, 40)) + "\" is not a group code");
    }
    if (valueTypeOf(tag.code) == ValueType::Invalid) {
        fail(line_, "there is no group code " + std::to_string(tag.code));
    }
    if (!readLine(tag.value)) {
        fail(tag.line, "the file ends after group code " + std::to_string(tag.code) +
                           ", before its value (it may be cut off)");
    }
    return true;
}

void TagReader::fail(int line, const std::string& what) const {
    throw HostError(source_ + ", line " + std::to_string(line) + ": " + what);
}

bool TagReader::readLine(std::string_view& line) {
    if (pos_ >= contents_.size()) return false;
    std::size_t end = contents_.find('\n', pos_);
    if (end == std::string_view::npos) end = contents_.size();
    line = contents_.substr(pos_, end - pos_);
    pos_ = end + 1;
    ++line_;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.size() > kLongestLine) fail(line_, "the line is longer than 1000 characters");
    return true;
}

void TagReader::checkValue(const Tag& tag) const {
    const ValueType type = valueTypeOf(tag.code);
    if (type == ValueType::Real) real(tag);
    if (type == ValueType::Integer) integer(tag);
}

double TagReader::real(const Tag& tag) const {
    double value = 0;
    if (!parseNumber(tag.value, value) || !std::isfinite(value) ||
        std::fabs(value) > kLargestCoordinate) {
        fail(tag.line,
             shown(tag.value) + " is not a usable number (group " + std::to_string(tag.code) + ")");
    }
    return value;
}

long long TagReader::integer(const Tag& tag) const {
    long long value = 0;
    if (!parseNumber(tag.value, value) || value < -2147483648LL || value > 4294967295LL) {
        fail(tag.line,
             shown(tag.value) + " is not a whole number (group " + std::to_string(tag.code) + ")");
    }
    return value;
}

double realValue(std::string_view value) {
    double number = 0;
    parseNumber(value, number);
    return number;
}

long long integerValue(std::string_view value) {
    long long number = 0;
    parseNumber(value, number);
    return number;
}

const Tag* DxfObject::last(int code) const {
    for (auto it = groups.rbegin(); it != groups.rend(); ++it) {
        if (it->code == code) return &*it;
    }
    return nullptr;
}

std::string_view DxfObject::text(int code, std::string_view fallback) const {
    const Tag* tag = last(code);
    return tag ? tag->value : fallback;
}

double DxfObject::real(int code, double fallback) const {
    const Tag* tag = last(code);
    return tag ? realValue(tag->value) : fallback;
}

// Whole numbers beyond an int wrap around, as a 32-bit reader takes them.
int DxfObject::integer(int code, int fallback) const {
    const Tag* tag = last(code);
    return tag ? static_cast<int>(integerValue(tag->value)) : fallback;
}

}  // namespace plovis::dxf
