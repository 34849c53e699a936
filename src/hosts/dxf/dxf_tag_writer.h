#pragma once
// The lowest layer of the DXF writer: group codes and their values, one pair of lines each. The
// table and entity writers above it never format a line themselves. Output collects in a buffer
// handed to the sink in large pieces, so a million entities cost a few hundred writes.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "hosts/cad_types.h"

namespace plovis {

class DxfTagWriter {
  public:
    // Receives the file's bytes in order; throws to stop the writing (a failed disk write).
    using Sink = std::function<void(std::string_view)>;
    explicit DxfTagWriter(Sink sink);

    // A text value (UTF-8; encoded as encodeDxfText does).
    void text(int code, std::string_view value);
    // A floating-point value: the shortest form that reads back as the same double.
    void real(int code, double value);
    void integer(int code, long long value);
    // A handle: upper-case hexadecimal.
    void handle(int code, std::uint64_t value);
    // x, y and z under code, code + 10 and code + 20 (10/20/30 for a first point, 11/21/31 ...).
    void point(int code, const Point& p);
    // x and y only (lightweight polyline vertices, layout limits).
    void point2(int code, double x, double y);

    // Hands what is buffered to the sink.
    void flush();

  private:
    // Room for `size` more bytes in the buffer (handing the buffer to the sink first if needed).
    char* room(std::size_t size);
    char* groupCode(char* at, int code);

    Sink sink_;
    std::unique_ptr<char[]> buffer_;
    std::size_t used_ = 0;
};

}  // namespace plovis
