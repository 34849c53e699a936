#pragma once
// The files a command is told to write, checked before it runs: each must be named for what is
// written into it, and none may be a file the command reads or another file it writes (through
// symbolic and hard links too), so a slip on the command line never replaces a workbook with a
// drawing.

#include <stdexcept>
#include <string>
#include <vector>

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace plovis {

// A command line the command cannot run as given: reported with exit status 64, as CLI11's own
// usage errors are.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A file of the command line and what names it there: an option ("--out") or a role ("the
// workbook").
struct NamedFile {
    std::string by;
    std::string path;
    // A picture written by sheets: NAME-1.EXT, NAME-2.EXT ... in its place.
    bool bySheets = false;
};

// Throws UsageError when an output is one of the inputs, or two outputs are one file, or an
// input is one of the files a picture by sheets writes (found by its name, or the name of the
// file its link leads to). Outputs not given (empty) are skipped.
void refuseOverwriting(const std::vector<NamedFile>& outputs, const std::vector<NamedFile>& inputs);

// Makes the option accept only a file name ending in one of the extensions (".dxf", any case);
// the empty name is refused as well.
CLI::Option* requireExtension(CLI::Option* option, std::vector<std::string> extensions);

}  // namespace plovis
