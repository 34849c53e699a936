#pragma once
// Raw deflate streams, as zip entries hold them, through ISA-L: several times faster than zlib,
// which counts for a sheet of a million rows, and written piece by piece, so a large part is never
// held whole before it is deflated.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

struct isal_zstream;

namespace plovis::xlsx {

// A zip entry's content deflated, with what the entry records of it.
struct DeflatedPart {
    std::string stream;      // raw deflate
    std::uint64_t size = 0;  // inflated
    std::uint32_t crc = 0;
};

// Deflates a part written in pieces.
class PartDeflater {
  public:
    // A large part is deflated fast rather than small: a sheet of 240 MB in under half a second,
    // about 7 % larger than it could be.
    explicit PartDeflater(bool large);
    ~PartDeflater();
    PartDeflater(const PartDeflater&) = delete;
    PartDeflater& operator=(const PartDeflater&) = delete;

    void write(std::string_view piece);
    DeflatedPart finish();

  private:
    void run(std::string_view piece, bool last);

    std::unique_ptr<isal_zstream> stream_;
    std::unique_ptr<std::uint8_t[]> levelBuffer_;
    DeflatedPart part_;
};

// Parts from this size on are large.
constexpr std::size_t kLargePart = 8u << 20;

DeflatedPart deflatedPart(std::string_view content);

// The stream inflated, when it inflates to exactly `size` bytes; nullopt when it is malformed or
// inflates to another size. Some damage leaves a well-formed stream: only the entry's checksum
// tells it.
std::optional<std::string> inflated(std::string_view stream, std::size_t size);

// The checksum a zip entry records of its content (CRC-32), given that of what comes before.
std::uint32_t zipChecksum(std::string_view content, std::uint32_t before = 0);

}  // namespace plovis::xlsx
