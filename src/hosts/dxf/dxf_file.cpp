#include "hosts/dxf/dxf_file.h"

#include "common/file_io.h"
#include "common/text.h"
#include "hosts/dxf/dxf_writer.h"
#include "hosts/host_error.h"

namespace plovis {
namespace {

constexpr std::uintmax_t kLargestFile = std::uintmax_t{1} << 30;

[[noreturn]] void cannotSave(const std::filesystem::path& file, const std::exception& e) {
    throw HostError("The drawing " + file.string() + " could not be saved: " + e.what());
}

}  // namespace

void saveDxfFile(Drawing& drawing, const std::filesystem::path& file) {
    // A drawing never goes into a file named for something else (a workbook, a picture).
    if (upperCase(file.extension().string()) != ".DXF")
        cannotSave(file, std::runtime_error("its name does not end in .dxf"));
    try {
        // Streamed straight into the temporary file: a drawing of a large scheme is never held
        // as one string.
        AtomicFileWriter out(file);
        DxfTagWriter writer([&out](std::string_view chunk) { out.write(chunk); });
        writeDxf(drawing, writer);
        out.commit();
    } catch (const FileWriteError& e) {
        cannotSave(file, e);
    }
    drawing.markSaved();
}

std::unique_ptr<Drawing> readDxfFile(const std::filesystem::path& file) {
    std::string contents;
    try {
        contents = readFileBounded(file, kLargestFile);
    } catch (const FileReadError& e) {
        throw HostError("The drawing file " + file.string() + " cannot be read: " + e.what());
    }
    auto drawing = readDxf(contents, file.filename().string());
    drawing->setName(file.filename().string());
    return drawing;
}

DrawingFileReader dxfFileReader() {
    return [](const std::filesystem::path& file) { return readDxfFile(file); };
}

}  // namespace plovis
