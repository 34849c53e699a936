// Parts deflated piece by piece inflate back to what was written; a stream that is damaged or
// inflates to another size than its entry records is refused, and so is a stored part whose
// checksum does not match.
#include <gtest/gtest.h>

#include <zip.h>

#include <numeric>
#include <string>
#include <vector>

#include "hosts/xlsx/package_error.h"
#include "hosts/xlsx/raw_deflate.h"
#include "hosts/xlsx/zip_archive.h"
#include "support/failure_text.h"

namespace plovis::xlsx {
namespace {

// Bytes that do not deflate: each from a linear congruential sequence.
std::string noise(std::size_t n) {
    std::string s(n, '\0');
    std::uint32_t x = 12345;
    for (char& c : s)
        c = static_cast<char>((x = x * 1103515245u + 12345u) >> 24);
    return s;
}

TEST(RawDeflate, PiecesInflateBackToTheWholeWithItsChecksum) {
    const std::string rows = [] {
        std::string s;
        for (int r = 1; s.size() < kLargePart + 100; ++r)
            s += "<row r=\"" + std::to_string(r) + "\"><c r=\"A" + std::to_string(r) + "\"><v>" +
                 std::to_string(r * 0.125) + "</v></c></row>";
        return s;
    }();
    const struct {
        const char* what;
        std::vector<std::string> pieces;
    } cases[] = {
        {"nothing", {}},
        {"an empty piece", {""}},
        {"one byte", {"a"}},
        {"pieces with an empty one between", {"<row r=\"1\">", "", "</row>"}},
        {"a large part in uneven pieces",
         {rows.substr(0, 7), rows.substr(7, 1u << 20), rows.substr(7 + (1u << 20))}},
        {"bytes that do not deflate", {noise(300'000), noise(5)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string whole = std::accumulate(c.pieces.begin(), c.pieces.end(), std::string());
        PartDeflater deflater(whole.size() >= kLargePart);
        for (const std::string& piece : c.pieces)
            deflater.write(piece);
        const DeflatedPart part = deflater.finish();
        EXPECT_EQ(part.size, whole.size());
        EXPECT_EQ(part.crc, zipChecksum(whole));
        EXPECT_EQ(inflated(part.stream, whole.size()), whole);
    }
    EXPECT_EQ(zipChecksum("123456789"), 0xCBF43926u);  // the CRC-32 check value
    EXPECT_EQ(zipChecksum("56789", zipChecksum("1234")), 0xCBF43926u);
}

TEST(RawDeflate, ADamagedStreamOrAnotherSizeIsRefused) {
    const std::string text = "Reduced level of the change point " + std::string(500, 'x');
    const std::string stream = deflatedPart(text).stream;
    const struct {
        const char* what;
        std::string stream;
        std::size_t size;
    } cases[] = {
        {"one byte fewer than it inflates to", stream, text.size() - 1},
        {"one byte more than it inflates to", stream, text.size() + 1},
        {"the stream cut short", stream.substr(0, stream.size() - 2), text.size()},
        {"no stream at all", "", text.size()},
        {"a block of the reserved type", "\x07\x00\x00\x00", text.size()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(inflated(c.stream, c.size), std::nullopt);
    }
}

// A package holding its one part stored, not deflated, as some zip programs write small parts.
std::string storedPackage(const std::string& content) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_source_keep(buffer);
    zip_t* z = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    zip_source_t* part = zip_source_buffer(z, content.data(), content.size(), 0);
    const zip_int64_t i = zip_file_add(z, "a.xml", part, 0);
    zip_set_file_compression(z, static_cast<zip_uint64_t>(i), ZIP_CM_STORE, 0);
    zip_close(z);
    zip_source_open(buffer);
    zip_source_seek(buffer, 0, SEEK_END);
    std::string bytes(static_cast<std::size_t>(zip_source_tell(buffer)), '\0');
    zip_source_seek(buffer, 0, SEEK_SET);
    zip_source_read(buffer, bytes.data(), bytes.size());
    zip_source_close(buffer);
    zip_source_free(buffer);
    zip_error_fini(&error);
    return bytes;
}

TEST(RawDeflate, AStoredPartIsReadAndCheckedAgainstItsChecksum) {
    const std::string content = "<row r=\"1\"><c r=\"A1\"><v>1761.5</v></c></row>";
    std::string package = storedPackage(content);
    EXPECT_EQ(ZipReader(package).read("a.xml"), content);
    package[package.find("1761.5")] = '2';
    ZipReader damaged(package);
    EXPECT_EQ(test::failureText<PackageError>([&] { damaged.read("a.xml"); }),
              "the part a.xml is damaged (its data or checksum)");
}

}  // namespace
}  // namespace plovis::xlsx
