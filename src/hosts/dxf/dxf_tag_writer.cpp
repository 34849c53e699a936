#include "hosts/dxf/dxf_tag_writer.h"

#include <charconv>
#include <cstring>

#include "hosts/dxf/dxf_text.h"

namespace plovis {
namespace {

constexpr std::size_t kChunk = 1 << 20;
constexpr std::size_t kLongestNumberGroup = 48;  // code line and a number, with room to spare

}  // namespace

DxfTagWriter::DxfTagWriter(Sink sink) : sink_(std::move(sink)), buffer_(new char[kChunk]) {}

char* DxfTagWriter::room(std::size_t size) {
    if (used_ + size > kChunk) flush();
    return buffer_.get() + used_;
}

// Group codes stand right-aligned in three columns, as CAD programs write them.
char* DxfTagWriter::groupCode(char* at, int code) {
    if (code < 100) *at++ = ' ';
    if (code < 10) *at++ = ' ';
    at = std::to_chars(at, at + 8, code).ptr;
    *at++ = '\n';
    return at;
}

void DxfTagWriter::text(int code, std::string_view value) {
    std::string encoded;
    if (!plainDxfText(value)) {
        encoded = encodeDxfText(value);
        value = encoded;
    }
    if (value.size() + kLongestNumberGroup > kChunk) {  // longer than a whole buffer
        flush();
        char line[8];
        sink_(std::string_view(line, static_cast<std::size_t>(groupCode(line, code) - line)));
        sink_(value);
        sink_("\n");
        return;
    }
    char* at = groupCode(room(value.size() + kLongestNumberGroup), code);
    std::memcpy(at, value.data(), value.size());
    at[value.size()] = '\n';
    used_ = static_cast<std::size_t>(at + value.size() + 1 - buffer_.get());
}

void DxfTagWriter::real(int code, double value) {
    char* at = groupCode(room(kLongestNumberGroup), code);
    if (value == 0) value = 0;  // no "-0"
    at = std::to_chars(at, at + 32, value).ptr;
    *at++ = '\n';
    used_ = static_cast<std::size_t>(at - buffer_.get());
}

void DxfTagWriter::integer(int code, long long value) {
    char* at = groupCode(room(kLongestNumberGroup), code);
    at = std::to_chars(at, at + 24, value).ptr;
    *at++ = '\n';
    used_ = static_cast<std::size_t>(at - buffer_.get());
}

void DxfTagWriter::handle(int code, std::uint64_t value) {
    char* at = groupCode(room(kLongestNumberGroup), code);
    char* end = std::to_chars(at, at + 20, value, 16).ptr;
    for (char* c = at; c != end; ++c) {
        if (*c >= 'a') *c = static_cast<char>(*c - 'a' + 'A');
    }
    *end++ = '\n';
    used_ = static_cast<std::size_t>(end - buffer_.get());
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

void DxfTagWriter::flush() {
    if (used_ == 0) return;
    const std::size_t size = used_;
    used_ = 0;  // a throwing sink leaves the writer empty, not half-flushed
    sink_(std::string_view(buffer_.get(), size));
}

}  // namespace plovis
