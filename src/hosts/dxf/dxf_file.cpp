#include "hosts/dxf/dxf_file.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "hosts/dxf/dxf_writer.h"
#include "hosts/host_error.h"

namespace plovis {
namespace {

constexpr std::uintmax_t kLargestFile = std::uintmax_t{1} << 30;

std::string systemError() {
    return std::strerror(errno);
}

// Closes and removes a half-written temporary file unless it was renamed into place.
class TemporaryFile {
  public:
    explicit TemporaryFile(const std::filesystem::path& target)
        : path_(target.parent_path() /
                ("." + target.filename().string() + ".tmp" + std::to_string(::getpid()))) {
        file_ = std::fopen(path_.c_str(), "wb");
        if (!file_) {
            throw HostError("The drawing " + target.string() +
                            " could not be saved: " + systemError());
        }
    }
    ~TemporaryFile() {
        if (file_) std::fclose(file_);
        if (!kept_) std::filesystem::remove(path_, ignored_);
    }
    std::FILE* get() const { return file_; }
    // Flushes to disk and renames over the target.
    void keepAs(const std::filesystem::path& target) {
        const bool written = std::fflush(file_) == 0 && ::fsync(::fileno(file_)) == 0;
        const bool closed = std::fclose(file_) == 0;
        file_ = nullptr;
        if (!written || !closed || std::rename(path_.c_str(), target.c_str()) != 0) {
            throw HostError("The drawing " + target.string() +
                            " could not be saved: " + systemError());
        }
        kept_ = true;
    }

  private:
    std::filesystem::path path_;
    std::FILE* file_ = nullptr;
    bool kept_ = false;
    std::error_code ignored_;
};

}  // namespace

void saveDxfFile(Drawing& drawing, const std::filesystem::path& file) {
    TemporaryFile temporary(file);
    DxfTagWriter writer([&](std::string_view chunk) {
        if (std::fwrite(chunk.data(), 1, chunk.size(), temporary.get()) != chunk.size()) {
            throw HostError("The drawing " + file.string() +
                            " could not be saved: " + systemError());
        }
    });
    writeDxf(drawing, writer);
    temporary.keepAs(file);
    drawing.markSaved();
}

std::unique_ptr<Drawing> readDxfFile(const std::filesystem::path& file) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(file, ec);
    if (ec)
        throw HostError("The drawing file " + file.string() + " cannot be read: " + ec.message());
    if (size > kLargestFile) {
        throw HostError("The drawing file " + file.string() + " is larger than 1 GiB");
    }
    std::string contents(size, '\0');
    std::ifstream in(file, std::ios::binary);
    if (!in.read(contents.data(), static_cast<std::streamsize>(size))) {
        throw HostError("The drawing file " + file.string() + " could not be read");
    }
    auto drawing = readDxf(contents, file.filename().string());
    drawing->setName(file.filename().string());
    return drawing;
}

DrawingFileReader dxfFileReader() {
    return [](const std::filesystem::path& file) { return readDxfFile(file); };
}

}  // namespace plovis
