#pragma once
// A reviewed table of cases in tests/<folder>/golden/<name>.txt: each line an input, " => " and
// what the code makes of it, both on one line (\n, \r, \t, \\ and \xHH stand for what no line
// can hold). The test reads the inputs from the file and compares the whole table, so a changed
// outcome shows as a diff and PLOVIS_UPDATE_GOLDEN=1 rewrites the outcomes for review. Lines
// starting with '#' and blank lines are kept as they are; an empty input is a line " => ...".

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <sstream>
#include <string>

#include "support/file_bytes.h"
#include "support/snapshot.h"
#include "support/test_paths.h"

namespace plovis::test {

inline std::string escapedLine(const std::string& text) {
    std::string out;
    for (const unsigned char c : text) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02X", c);
        out += c == '\n' ? "\\n" : c == '\r' ? "\\r" : c == '\t' ? "\\t" : c == '\\' ? "\\\\" : "";
        if (c >= 0x20 && c < 0x7F && c != '\\') out += static_cast<char>(c);
        if ((c < 0x20 && c != '\n' && c != '\r' && c != '\t') || c >= 0x7F) out += hex;
    }
    return out;
}

inline std::string unescapedLine(const std::string& line) {
    std::string out;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] != '\\' || i + 1 == line.size()) {
            out += line[i];
            continue;
        }
        const char c = line[++i];
        if (c == 'x') {
            out += static_cast<char>(std::stoi(line.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c;
        }
    }
    return out;
}

inline void expectGoldenTable(const std::string& folder, const std::string& name,
                              const std::function<std::string(const std::string&)>& outcome) {
    std::istringstream in(readBytes(sourceDir() / "tests" / folder / "golden" / (name + ".txt")));
    std::string actual;
    int cases = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line.front() == '#') {
            actual += line + "\n";
            continue;
        }
        const std::string input = line.substr(0, line.find(" => "));
        SCOPED_TRACE(input);
        actual += input + " => " + escapedLine(outcome(unescapedLine(input))) + "\n";
        ++cases;
    }
    EXPECT_GT(cases, 0) << name << " holds no cases";
    expectGolden(actual, folder, name);
}

}  // namespace plovis::test
