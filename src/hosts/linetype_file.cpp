#include "hosts/linetype_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "common/data_directory.h"
#include "common/file_io.h"
#include "common/text.h"
#include "hosts/host_error.h"

namespace plovis {
namespace {

// Longest file we read: a line type file is a few kilobytes.
constexpr std::uintmax_t kLargestFile = 1 << 20;
// Most elements in one pattern; CAD programs allow 12.
constexpr std::size_t kLongestPattern = 12;

[[noreturn]] void fail(const std::string& source, int line, const std::string& what) {
    throw HostError(source + ", line " + std::to_string(line) + ": " + what);
}

double patternElement(std::string_view text, const std::string& source, int line) {
    text = trimBlanks(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(value) || std::fabs(value) > 1e6) {
        fail(source, line, "\"" + std::string(text) + "\" is not a dash length");
    }
    return value;
}

std::vector<double> parsePattern(std::string_view text, const std::string& source, int line) {
    if (text.find('[') != std::string_view::npos) {
        fail(source, line, "line types with embedded texts or shapes are not supported");
    }
    if (text.size() < 2 || (text[0] != 'A' && text[0] != 'a') || text[1] != ',') {
        fail(source, line, "a pattern line must start with \"A,\"");
    }
    std::vector<double> pattern;
    std::size_t start = 2;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        pattern.push_back(patternElement(text.substr(start, comma - start), source, line));
        start = comma + 1;
    }
    if (pattern.size() > kLongestPattern)
        fail(source, line, "the pattern has more than 12 elements");
    return pattern;
}

}  // namespace

std::filesystem::path linetypeFilePath(std::string_view fileName) {
    if (equalsIgnoringCase(fileName, "acad.lin") || equalsIgnoringCase(fileName, "acadiso.lin")) {
        return dataDirectory() / "plovis.lin";
    }
    return std::filesystem::path(std::string(fileName));
}

std::vector<CadLinetype> parseLinetypes(std::string_view contents, const std::string& source) {
    std::vector<CadLinetype> result;
    bool awaitingPattern = false;
    int lineNumber = 0;
    std::size_t start = 0;
    while (start < contents.size()) {
        std::size_t end = contents.find('\n', start);
        if (end == std::string_view::npos) end = contents.size();
        std::string_view line = contents.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        line = trimBlanks(line);
        if (line.empty() || line.starts_with(";;")) continue;
        if (line.front() == '*') {
            if (awaitingPattern) fail(source, lineNumber, "the line type before has no pattern");
            const std::size_t comma = line.find(',');
            CadLinetype lt;
            lt.name = std::string(trimBlanks(line.substr(
                1, comma == std::string_view::npos ? std::string_view::npos : comma - 1)));
            if (comma != std::string_view::npos)
                lt.description = std::string(line.substr(comma + 1));
            try {
                checkTableName(lt.name, "line type name");
            } catch (const HostError& e) {
                fail(source, lineNumber, e.what());
            }
            result.push_back(std::move(lt));
            awaitingPattern = true;
        } else {
            if (!awaitingPattern) fail(source, lineNumber, "a pattern line without a line type");
            result.back().pattern = parsePattern(line, source, lineNumber);
            awaitingPattern = false;
        }
    }
    if (awaitingPattern) fail(source, lineNumber, "the last line type has no pattern");
    return result;
}

std::vector<CadLinetype> readLinetypeFile(const std::filesystem::path& file) {
    try {
        return parseLinetypes(readFileBounded(file, kLargestFile), file.string());
    } catch (const FileReadError& e) {
        throw HostError("The line type file " + file.string() + " cannot be read: " + e.what());
    }
}

}  // namespace plovis
