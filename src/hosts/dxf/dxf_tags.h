#pragma once
// Inside the DXF reader: the file as groups (a group code line and a value line each), with the
// line of each group code, and the objects they make up (a table record, a block header or an
// entity: the groups from one group 0 to the next). Numbers are checked as they are read: a
// number a drawing cannot hold (NaN, infinity, beyond the largest coordinate) is a fault of the
// file, named by its line.

#include <string>
#include <string_view>
#include <vector>

namespace plovis::dxf {

struct Tag {
    int code = 0;
    std::string_view value;
    int line = 0;  // of the group code
};

// Splits the contents into groups; throws HostError "<source>, line N: <fault>".
class TagReader {
  public:
    TagReader(std::string_view contents, const std::string& source)
        : contents_(contents), source_(source) {}

    // The next group, or false at the end of the contents.
    bool next(Tag& tag);
    int line() const { return line_; }
    [[noreturn]] void fail(int line, const std::string& what) const;

    // Checks that a group of a section we read carries the kind of value its code says.
    void checkValue(const Tag& tag) const;
    double real(const Tag& tag) const;
    long long integer(const Tag& tag) const;

  private:
    bool readLine(std::string_view& line);

    std::string_view contents_;
    const std::string& source_;
    std::size_t pos_ = 0;
    int line_ = 0;
};

// One table record, block header or entity with its groups in file order (comments left out).
// Where a code comes more than once, the last value counts, as CAD programs read it. Values are
// those the reader checked, so numbers always parse.
struct DxfObject {
    std::string_view type;
    int line = 0;
    std::vector<Tag> groups;

    const Tag* last(int code) const;
    bool has(int code) const { return last(code) != nullptr; }
    std::string_view text(int code, std::string_view fallback = {}) const;
    double real(int code, double fallback = 0) const;
    int integer(int code, int fallback = 0) const;
};

// The number a checked value holds (blanks around it and a leading '+' allowed).
double realValue(std::string_view value);
long long integerValue(std::string_view value);

std::string_view trimmed(std::string_view s);

}  // namespace plovis::dxf
