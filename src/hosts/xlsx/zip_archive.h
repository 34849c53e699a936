#pragma once
// The zip container of a workbook package, read from and written to memory with libzip; the
// parts themselves are inflated and deflated through ISA-L (raw_deflate.h).
// Reading is bounded (InflateLimits): a package may not inflate beyond a total, nor any large
// part beyond a ratio of its compressed size (a zip bomb), and every part is checked against its
// recorded size and checksum.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct zip;
struct zip_source;
struct zip_stat;

namespace plovis::xlsx {

struct DeflatedEntry;
struct DeflatedPart;

// Bounds on what a package may ask of memory. A sheet of 200,000 rows × 10 columns inflates to
// about 90 MB at a ratio near 10; XML of repeated empty styled cells reaches 100 or so.
struct InflateLimits {
    std::uint64_t totalBytes = 1ull << 30;        // all parts read, inflated: 1 GiB
    std::uint64_t ratio = 200;                    // inflated ÷ compressed, at most ...
    std::uint64_t ratioCheckedFrom = 4ull << 20;  // ... for parts inflating beyond 4 MiB
    std::uint64_t entries = 10'000;               // zip entries
};

// A package held in memory, opened for reading. The bytes must outlive it.
class ZipReader {
  public:
    // Throws PackageError when the bytes are not a zip archive or it is damaged.
    explicit ZipReader(std::string_view bytes, InflateLimits limits = {});
    ~ZipReader();
    ZipReader(const ZipReader&) = delete;
    ZipReader& operator=(const ZipReader&) = delete;

    std::uint64_t entryCount() const { return count_; }
    // The entry's name as stored.
    std::string name(std::uint64_t index) const;
    // The entry of that part name, compared ignoring case as package part names are.
    std::optional<std::uint64_t> find(std::string_view partName) const;
    // The inflated content of an entry, counted against the package's bound. Throws PackageError.
    std::string read(std::uint64_t index);
    std::string read(std::string_view partName);
    // The start of an entry's content: inflated until it holds `until` or `most` bytes, or the
    // entry ends. Not checked against the entry's checksum (read() checks the whole). Throws
    // PackageError.
    std::string readStart(std::uint64_t index, std::string_view until, std::size_t most);

    zip* handle() const { return zip_; }

  private:
    std::string readPlain(std::uint64_t index, const struct zip_stat& st);
    std::string readThroughLibzip(std::uint64_t index, const struct zip_stat& st);
    void readOpened(std::uint64_t index, std::uint32_t flags, std::string& content);

    zip* zip_ = nullptr;
    InflateLimits limits_;
    std::uint64_t count_ = 0;
    std::uint64_t inflated_ = 0;  // bytes read so far, against limits_.totalBytes
};

// A new package built in memory: entries copied unchanged from a reader, or given as content.
class ZipWriter {
  public:
    ZipWriter();
    ~ZipWriter();
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;

    // Copies the entry as it is stored (compressed bytes, name, time), without inflating it.
    void copy(const ZipReader& from, std::uint64_t index);
    // Adds an entry with the content, deflated, dated 1 January 1980 whatever the clock says.
    void add(const std::string& name, std::string_view content);
    void add(const std::string& name, DeflatedPart part);
    // The archive's bytes. The writer is finished afterwards.
    std::string finish();

  private:
    zip* zip_ = nullptr;
    zip_source* buffer_ = nullptr;
    // Entries deflated already, kept until the archive is written.
    std::vector<std::unique_ptr<DeflatedEntry>> entries_;
};

}  // namespace plovis::xlsx
