#include "hosts/xlsx/zip_archive.h"

#include <vector>

#include <zip.h>

#include <algorithm>
#include <cstring>

#include "hosts/xlsx/package_error.h"
#include "hosts/xlsx/raw_deflate.h"

namespace plovis::xlsx {
namespace {

std::string zipProblem(int code) {
    switch (code) {
        case ZIP_ER_NOZIP:
            return "it is not a zip archive, so not an .xlsx workbook";
        case ZIP_ER_INCONS:
        case ZIP_ER_CRC:
        case ZIP_ER_EOF:
        case ZIP_ER_COMPNOTSUPP:
            return "its zip archive is damaged";
        case ZIP_ER_MEMORY:
            return "there is not enough memory to read it";
        default: {
            zip_error_t error;
            zip_error_init_with_code(&error, code);
            std::string text = zip_error_strerror(&error);
            zip_error_fini(&error);
            return "its zip archive cannot be read (" + text + ")";
        }
    }
}

// An entry neither encrypted nor compressed other than by deflate, with its checksum known.
bool isPlain(const zip_stat_t& st) {
    constexpr zip_uint64_t kNeeded =
        ZIP_STAT_ENCRYPTION_METHOD | ZIP_STAT_CRC | ZIP_STAT_COMP_METHOD;
    return (st.valid & kNeeded) == kNeeded && st.encryption_method == ZIP_EM_NONE &&
           (st.comp_method == ZIP_CM_DEFLATE || st.comp_method == ZIP_CM_STORE);
}

std::string megabytes(std::uint64_t bytes) {
    return std::to_string((bytes + (1u << 20) - 1) >> 20) + " MB";
}

}  // namespace

// An entry deflated before it is added, as the writer hands it to libzip.
struct DeflatedEntry {
    DeflatedPart part;
    std::size_t offset = 0;  // how far libzip has read
    zip_error_t error;

    DeflatedEntry() { zip_error_init(&error); }
    ~DeflatedEntry() { zip_error_fini(&error); }
    DeflatedEntry(const DeflatedEntry&) = delete;
    DeflatedEntry& operator=(const DeflatedEntry&) = delete;
};

namespace {

// Serves an entry deflated already to libzip, which then stores it as it is, with the size and
// checksum the entry gives, instead of deflating it again through zlib.
zip_int64_t serveDeflated(void* state, void* data, zip_uint64_t length, zip_source_cmd_t command) {
    auto& entry = *static_cast<DeflatedEntry*>(state);
    switch (command) {
        case ZIP_SOURCE_OPEN:
            entry.offset = 0;
            return 0;
        case ZIP_SOURCE_READ: {
            const std::size_t n =
                std::min<std::size_t>(length, entry.part.stream.size() - entry.offset);
            std::memcpy(data, entry.part.stream.data() + entry.offset, n);
            entry.offset += n;
            return static_cast<zip_int64_t>(n);
        }
        case ZIP_SOURCE_STAT: {
            auto* st = ZIP_SOURCE_GET_ARGS(zip_stat_t, data, length, &entry.error);
            if (!st) return -1;
            zip_stat_init(st);
            st->valid = ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_COMP_METHOD | ZIP_STAT_CRC |
                        ZIP_STAT_ENCRYPTION_METHOD;
            st->size = entry.part.size;
            st->comp_size = entry.part.stream.size();
            st->comp_method = ZIP_CM_DEFLATE;
            st->crc = entry.part.crc;
            st->encryption_method = ZIP_EM_NONE;
            return sizeof(zip_stat_t);
        }
        case ZIP_SOURCE_ERROR:
            return zip_error_to_data(&entry.error, data, length);
        case ZIP_SOURCE_CLOSE:
        case ZIP_SOURCE_FREE:
            return 0;
        case ZIP_SOURCE_SUPPORTS:
            return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ,
                                                  ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                                  ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
        default:
            zip_error_set(&entry.error, ZIP_ER_OPNOTSUPP, 0);
            return -1;
    }
}

}  // namespace

ZipReader::ZipReader(std::string_view bytes, InflateLimits limits) : limits_(limits) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (source) zip_ = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
    const int code = zip_error_code_zip(&error);
    zip_error_fini(&error);
    if (!zip_) {
        zip_source_free(source);
        throw PackageError(zipProblem(code));
    }
    const zip_int64_t n = zip_get_num_entries(zip_, 0);
    if (n < 0 || static_cast<std::uint64_t>(n) > limits_.entries) {
        zip_discard(zip_);
        throw PackageError("its zip archive holds more than " + std::to_string(limits_.entries) +
                           " entries, more than any workbook has");
    }
    count_ = static_cast<std::uint64_t>(n);
}

ZipReader::~ZipReader() {
    zip_discard(zip_);
}

std::string ZipReader::name(std::uint64_t index) const {
    const char* n = zip_get_name(zip_, index, ZIP_FL_ENC_RAW);
    return n ? n : "";
}

std::optional<std::uint64_t> ZipReader::find(std::string_view partName) const {
    const zip_int64_t i = zip_name_locate(zip_, std::string(partName).c_str(), ZIP_FL_NOCASE);
    if (i < 0) return std::nullopt;
    return static_cast<std::uint64_t>(i);
}

std::string ZipReader::read(std::string_view partName) {
    const auto index = find(partName);
    if (!index) throw PackageError("the part " + std::string(partName) + " is missing");
    return read(*index);
}

std::string ZipReader::read(std::uint64_t index) {
    const std::string part = name(index);
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(zip_, index, 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE) ||
        !(st.valid & ZIP_STAT_COMP_SIZE)) {
        throw PackageError("the part " + part + " cannot be read: its zip entry is damaged");
    }
    if (st.size > limits_.totalBytes - inflated_) {
        throw PackageError("the part " + part + " would inflate to " + megabytes(st.size) +
                           ", beyond the " + megabytes(limits_.totalBytes) +
                           " a workbook may hold in all (a zip bomb?)");
    }
    if (st.size > limits_.ratioCheckedFrom && st.size / limits_.ratio > st.comp_size) {
        throw PackageError("the part " + part + " would inflate " +
                           std::to_string(st.size / std::max<std::uint64_t>(st.comp_size, 1)) +
                           " times its stored size, more than any workbook part (a zip bomb?)");
    }
    std::string content = isPlain(st) ? readPlain(index, st) : readThroughLibzip(index, st);
    inflated_ += st.size;
    return content;
}

// Deflated and stored entries are read raw and inflated here in one go; libzip reads the rest
// (encrypted entries, other compression methods) and says what it cannot read.
std::string ZipReader::readPlain(std::uint64_t index, const zip_stat_t& st) {
    std::string stored(st.comp_size, '\0');
    readOpened(index, ZIP_FL_COMPRESSED, stored);
    std::optional<std::string> content =
        st.comp_method == ZIP_CM_DEFLATE ? inflated(stored, st.size) : std::move(stored);
    if (!content || content->size() != st.size || zipChecksum(*content) != st.crc) {
        throw PackageError("the part " + name(index) + " is damaged (its data or checksum)");
    }
    return std::move(*content);
}

std::string ZipReader::readThroughLibzip(std::uint64_t index, const zip_stat_t& st) {
    std::string content(st.size, '\0');
    readOpened(index, 0, content);
    return content;
}

// Fills `content` with the entry's bytes (raw with ZIP_FL_COMPRESSED); reading one byte past its
// end checks the entry's checksum when libzip inflates.
void ZipReader::readOpened(std::uint64_t index, zip_flags_t flags, std::string& content) {
    zip_file_t* file = zip_fopen_index(zip_, index, flags);
    if (!file) {
        const int code = zip_error_code_zip(zip_get_error(zip_));
        throw PackageError("the part " + name(index) + " cannot be read" +
                           (code == ZIP_ER_NOPASSWD || code == ZIP_ER_WRONGPASSWD
                                ? std::string(": it is encrypted")
                                : ": " + zipProblem(code)));
    }
    std::size_t done = 0;
    while (done < content.size()) {
        const zip_int64_t got = zip_fread(file, content.data() + done, content.size() - done);
        if (got <= 0) break;
        done += static_cast<std::size_t>(got);
    }
    char extra;
    const bool intact = done == content.size() && zip_fread(file, &extra, 1) == 0;
    zip_fclose(file);
    if (!intact)
        throw PackageError("the part " + name(index) + " is damaged (its data or checksum)");
}

std::string ZipReader::readStart(std::uint64_t index, std::string_view until, std::size_t most) {
    zip_file_t* file = zip_fopen_index(zip_, index, 0);
    if (!file) throw PackageError("the part " + name(index) + " cannot be read");
    constexpr std::size_t kChunk = 64 << 10;
    std::string content;
    while (content.size() < most) {
        const std::size_t had = content.size();
        content.resize(had + kChunk);
        const zip_int64_t got = zip_fread(file, content.data() + had, kChunk);
        content.resize(had + static_cast<std::size_t>(std::max<zip_int64_t>(got, 0)));
        const std::size_t back = std::min(had, until.size());
        if (got <= 0 || content.find(until, had - back) != std::string::npos) break;
    }
    zip_fclose(file);
    return content;
}

ZipWriter::ZipWriter() {
    zip_error_t error;
    zip_error_init(&error);
    buffer_ = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (buffer_) {
        zip_source_keep(buffer_);
        zip_ = zip_open_from_source(buffer_, ZIP_TRUNCATE, &error);
    }
    zip_error_fini(&error);
    if (!zip_) {
        zip_source_free(buffer_);
        throw PackageError("the zip archive cannot be started");
    }
}

ZipWriter::~ZipWriter() {
    if (zip_) zip_discard(zip_);
    zip_source_free(buffer_);
}

void ZipWriter::copy(const ZipReader& from, std::uint64_t index) {
    const std::string entry = from.name(index);
    zip_source_t* source = zip_source_zip(zip_, from.handle(), index, 0, 0, -1);
    if (!source || zip_file_add(zip_, entry.c_str(), source, ZIP_FL_ENC_GUESS) < 0) {
        zip_source_free(source);
        throw PackageError("the part " + entry + " cannot be copied: " + zip_strerror(zip_));
    }
}

void ZipWriter::add(const std::string& name, std::string_view content) {
    add(name, deflatedPart(content));
}

void ZipWriter::add(const std::string& name, DeflatedPart part) {
    DeflatedEntry& entry = *entries_.emplace_back(std::make_unique<DeflatedEntry>());
    entry.part = std::move(part);
    zip_source_t* source = zip_source_function(zip_, serveDeflated, &entry);
    const zip_int64_t index =
        source ? zip_file_add(zip_, name.c_str(), source, ZIP_FL_ENC_UTF_8) : -1;
    if (index < 0) {
        zip_source_free(source);
        throw PackageError("the part " + name + " cannot be added: " + zip_strerror(zip_));
    }
    // Every part written gets the first time a zip entry can carry, 1 January 1980 (as
    // spreadsheet programs write their packages), not the clock's: saving the same workbook twice
    // gives the same bytes, so generated files and drawings are reproducible.
    constexpr zip_uint16_t kMidnight = 0;
    constexpr zip_uint16_t kFirstOf1980 = (0 << 9) | (1 << 5) | 1;  // years since 1980, month, day
    zip_file_set_dostime(zip_, static_cast<zip_uint64_t>(index), kMidnight, kFirstOf1980, 0);
}

std::string ZipWriter::finish() {
    if (zip_close(zip_) != 0) {
        const std::string why = zip_strerror(zip_);
        throw PackageError("the zip archive cannot be written: " + why);
    }
    zip_ = nullptr;
    std::string bytes;
    if (zip_source_open(buffer_) == 0) {
        zip_source_seek(buffer_, 0, SEEK_END);
        const zip_int64_t size = zip_source_tell(buffer_);
        zip_source_seek(buffer_, 0, SEEK_SET);
        bytes.resize(size > 0 ? static_cast<std::size_t>(size) : 0);
        const zip_int64_t got = zip_source_read(buffer_, bytes.data(), bytes.size());
        zip_source_close(buffer_);
        if (got == size) return bytes;
    }
    throw PackageError("the zip archive cannot be taken from memory");
}

}  // namespace plovis::xlsx
