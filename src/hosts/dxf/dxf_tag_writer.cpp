#include "hosts/dxf/dxf_tag_writer.h"

#include <charconv>

#include "hosts/dxf/dxf_text.h"

namespace plovis {
namespace {

constexpr std::size_t kChunk = 1 << 20;

}  // namespace

DxfTagWriter::DxfTagWriter(Sink sink) : sink_(std::move(sink)) {
    buffer_.reserve(kChunk + 4096);
}

// Group codes stand right-aligned in three columns, as CAD programs write them.
void DxfTagWriter::groupCode(int code) {
    char digits[12];
    const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, code);
    const auto length = static_cast<std::size_t>(end - digits);
    if (length < 3) buffer_.append(3 - length, ' ');
    buffer_.append(digits, length);
    buffer_ += '\n';
}

void DxfTagWriter::text(int code, std::string_view value) {
    groupCode(code);
    if (plainDxfText(value)) {
        buffer_.append(value);
    } else {
        buffer_.append(encodeDxfText(value));
    }
    buffer_ += '\n';
    maybeFlush();
}

void DxfTagWriter::real(int code, double value) {
    groupCode(code);
    if (value == 0) value = 0;  // no "-0"
    char digits[32];
    const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
    buffer_.append(digits, end);
    buffer_ += '\n';
    maybeFlush();
}

void DxfTagWriter::integer(int code, long long value) {
    groupCode(code);
    char digits[24];
    const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
    buffer_.append(digits, end);
    buffer_ += '\n';
    maybeFlush();
}

void DxfTagWriter::handle(int code, std::uint64_t value) {
    groupCode(code);
    char digits[20];
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value, 16);
    for (char* c = digits; c != end; ++c) {
        if (*c >= 'a') *c = static_cast<char>(*c - 'a' + 'A');
    }
    buffer_.append(digits, end);
    buffer_ += '\n';
    maybeFlush();
}

void DxfTagWriter::point(int code, const Point& p) {
    real(code, p.x);
    real(code + 10, p.y);
    real(code + 20, p.z);
}

void DxfTagWriter::point2(int code, double x, double y) {
    real(code, x);
    real(code + 10, y);
}

void DxfTagWriter::maybeFlush() {
    if (buffer_.size() >= kChunk) flush();
}

void DxfTagWriter::flush() {
    if (buffer_.empty()) return;
    sink_(buffer_);
    buffer_.clear();
}

}  // namespace plovis
