#include "cli/output_files.h"

#include <CLI/CLI.hpp>
#include <optional>

#include "common/file_io.h"
#include "common/text.h"
#include "render/render_files.h"

namespace plovis {
namespace {

std::string sameFileMessage(const NamedFile& output, const NamedFile& other) {
    return output.by + " " + output.path + " is the same file as " + other.by + " " + other.path +
           "; give another name";
}

std::string namesOf(const std::vector<std::string>& extensions) {
    std::string names;
    for (std::size_t i = 0; i < extensions.size(); ++i)
        names += (i == 0 ? "" : i + 1 == extensions.size() ? " or " : ", ") + extensions[i];
    return names;
}

// The file NAME-N.EXT that a picture by sheets writes and that is `input`, if any.
std::optional<std::filesystem::path> sheetFileThatIs(const std::filesystem::path& picture,
                                                     const std::string& input) {
    const std::string head = picture.stem().string() + "-", tail = picture.extension().string();
    std::error_code unresolved;
    for (const std::filesystem::path& name :
         {std::filesystem::path(input), std::filesystem::weakly_canonical(input, unresolved)}) {
        const std::string file = name.filename().string();
        if (file.size() <= head.size() + tail.size() || !file.starts_with(head) ||
            !file.ends_with(tail))
            continue;
        const std::string number =
            file.substr(head.size(), file.size() - head.size() - tail.size());
        // Sheets are numbered from 1, without leading zeros.
        if (number.size() > 9 || number[0] == '0' ||
            number.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const std::filesystem::path sheetFile = sheetFileName(picture, std::stoi(number));
        if (sameFile(sheetFile, input)) return sheetFile;
    }
    return std::nullopt;
}

}  // namespace

void refuseOverwriting(const std::vector<NamedFile>& outputs,
                       const std::vector<NamedFile>& inputs) {
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        const NamedFile& output = outputs[i];
        if (output.path.empty()) continue;
        for (const NamedFile& input : inputs) {
            if (input.path.empty()) continue;
            if (sameFile(output.path, input.path)) throw UsageError(sameFileMessage(output, input));
            const auto sheetFile =
                output.bySheets ? sheetFileThatIs(output.path, input.path) : std::nullopt;
            if (sheetFile) {
                throw UsageError(output.by + " " + output.path + " by sheets writes " +
                                 sheetFile->string() + ", which is " + input.by + " " + input.path +
                                 "; give another name");
            }
        }
        for (std::size_t k = 0; k < i; ++k) {
            // Two outputs of one name are found by their names: neither may exist yet.
            if (outputs[k].path.empty()) continue;
            if (outputs[k].path == output.path || sameFile(outputs[k].path, output.path))
                throw UsageError(sameFileMessage(output, outputs[k]));
        }
    }
}

CLI::Option* requireExtension(CLI::Option* option, std::vector<std::string> extensions) {
    const std::string expected = namesOf(extensions);
    return option->check(
        [extensions, expected](const std::string& file) -> std::string {
            const std::string given = upperCase(std::filesystem::path(file).extension().string());
            for (const std::string& e : extensions) {
                if (given == upperCase(e)) return {};
            }
            if (file.empty()) return "a file name ending in " + expected + " is needed";
            return "\"" + file + "\" is not a file name ending in " + expected;
        },
        expected + " file");
}

}  // namespace plovis
