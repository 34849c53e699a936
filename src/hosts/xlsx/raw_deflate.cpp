#include "hosts/xlsx/raw_deflate.h"

#include <isa-l/crc.h>
#include <isa-l/igzip_lib.h>

#include <algorithm>

#include "hosts/xlsx/package_error.h"

namespace plovis::xlsx {
namespace {

// ISA-L counts its buffers in 32 bits: larger ones are handed over a gigabyte at a time.
constexpr std::size_t kMostAtOnce = 1u << 30;

std::uint32_t atOnce(std::size_t left) {
    return static_cast<std::uint32_t>(std::min(left, kMostAtOnce));
}

std::uint8_t* bytes(const char* p) {
    return reinterpret_cast<std::uint8_t*>(const_cast<char*>(p));
}

}  // namespace

PartDeflater::PartDeflater(bool large) : stream_(std::make_unique<isal_zstream>()) {
    isal_deflate_init(stream_.get());
    // Level 1 is as fast as level 2 on sheets and deflates them no smaller.
    stream_->level = large ? 2 : 3;
    const std::uint32_t size = large ? ISAL_DEF_LVL2_DEFAULT : ISAL_DEF_LVL3_DEFAULT;
    levelBuffer_ = std::make_unique_for_overwrite<std::uint8_t[]>(size);
    stream_->level_buf = levelBuffer_.get();
    stream_->level_buf_size = size;
}

PartDeflater::~PartDeflater() = default;

void PartDeflater::write(std::string_view piece) {
    part_.crc = zipChecksum(piece, part_.crc);
    part_.size += piece.size();
    run(piece, false);
}

DeflatedPart PartDeflater::finish() {
    run({}, true);
    return std::move(part_);
}

void PartDeflater::run(std::string_view piece, bool last) {
    std::string& out = part_.stream;
    do {
        const std::size_t take = atOnce(piece.size());
        stream_->next_in = bytes(piece.data());
        stream_->avail_in = static_cast<std::uint32_t>(take);
        piece.remove_prefix(take);
        stream_->end_of_stream = last && piece.empty();
        stream_->flush = NO_FLUSH;
        do {
            const std::size_t had = out.size();
            const std::size_t room =
                std::clamp<std::size_t>(stream_->avail_in / 4, 64u << 10, 16u << 20);
            out.resize(had + room);
            stream_->next_out = bytes(out.data() + had);
            stream_->avail_out = atOnce(room);
            if (isal_deflate(stream_.get()) != COMP_OK)
                throw PackageError("a part cannot be deflated");
            out.resize(had + room - stream_->avail_out);
        } while (stream_->avail_in > 0 ||
                 (stream_->end_of_stream && stream_->internal_state.state != ZSTATE_END));
    } while (!piece.empty());
}

DeflatedPart deflatedPart(std::string_view content) {
    PartDeflater deflater(content.size() >= kLargePart);
    deflater.write(content);
    return deflater.finish();
}

std::optional<std::string> inflated(std::string_view stream, std::size_t size) {
    std::string content(size, '\0');
    const auto state = std::make_unique<inflate_state>();
    isal_inflate_init(state.get());
    std::size_t in = 0, out = 0;
    while (state->block_state != ISAL_BLOCK_FINISH) {
        if (state->avail_in == 0 && in < stream.size()) {
            state->next_in = bytes(stream.data() + in);
            state->avail_in = atOnce(stream.size() - in);
            in += state->avail_in;
        }
        if (state->avail_out == 0 && out < size) {
            state->next_out = bytes(content.data() + out);
            state->avail_out = atOnce(size - out);
            out += state->avail_out;
        }
        const std::uint32_t inBefore = state->avail_in, outBefore = state->avail_out;
        if (isal_inflate(state.get()) < 0) return std::nullopt;
        // Stuck: the stream ends early, or goes on beyond the size.
        if (state->block_state != ISAL_BLOCK_FINISH && state->avail_in == inBefore &&
            state->avail_out == outBefore)
            return std::nullopt;
    }
    if (state->avail_out != 0 || out != size) return std::nullopt;
    return content;
}

std::uint32_t zipChecksum(std::string_view content, std::uint32_t before) {
    std::uint32_t crc = before;
    while (!content.empty()) {
        const std::uint32_t take = atOnce(content.size());
        crc = crc32_gzip_refl(crc, bytes(content.data()), take);
        content.remove_prefix(take);
    }
    return crc;
}

}  // namespace plovis::xlsx
