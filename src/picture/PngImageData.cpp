#include "picture/PngImageData.h"

#include <array>
#include <cstdint>
#include <new>
#include <string>

#include "common/PngFormat.h"
#include "picture/FileChecks.h"

namespace pelliton {

namespace {

// zlib's allocations go through operator new, as ours do, so that they count alike wherever
// allocations are watched. Nothing may throw through zlib's C code.
voidpf ZlibAllocate(voidpf, uInt items, uInt size) {
    if (size != 0 && items > SIZE_MAX / size) return Z_NULL;
    try {
        return ::operator new(std::size_t{items} * size);
    } catch (const std::bad_alloc&) {
        return Z_NULL;
    }
}

void ZlibFree(voidpf, voidpf block) { ::operator delete(block); }

}  // namespace

PngImageData::PngImageData(PngChunkReader& chunks, std::string_view name) : chunks_(chunks), name_(name) {
    stream_.zalloc = ZlibAllocate;
    stream_.zfree = ZlibFree;
    if (inflateInit(&stream_) != Z_OK) throw std::bad_alloc();
}

PngImageData::~PngImageData() { inflateEnd(&stream_); }

bool PngImageData::Refill() {
    while (!ended_) {
        const std::span<const std::uint8_t> piece = chunks_.ReadPiece();
        if (!piece.empty()) {
            stream_.next_in = const_cast<Bytef*>(piece.data());  // zlib only reads through it
            stream_.avail_in = static_cast<uInt>(piece.size());
            return true;
        }
        // Image data chunks follow one another; any other chunk among them carries nothing we use.
        std::uint32_t type = chunks_.Next().type;
        while (type != png::kImageData && type != png::kImageEnd) type = chunks_.Next().type;
        ended_ = type == png::kImageEnd;
    }
    return false;
}

bool PngImageData::Inflate() {
    if (streamEnded_) return false;
    if (stream_.avail_in == 0 && !Refill()) {
        throw FileError(name_, "its image data (IDAT) ends inside its zlib stream");
    }
    const int result = inflate(&stream_, Z_NO_FLUSH);
    switch (result) {
        case Z_OK: return true;
        case Z_STREAM_END: streamEnded_ = true; return false;
        case Z_MEM_ERROR: throw std::bad_alloc();
        case Z_NEED_DICT: throw FileError(name_, "its image data's zlib stream asks for a preset dictionary");
        case Z_BUF_ERROR:
            // Only when no progress was possible, which cannot be with input and room for output.
            throw FileError(name_, "its image data's zlib stream makes no progress");
        default:
            throw FileError(name_, std::string("its image data is not a sound zlib stream: ") +
                                       (stream_.msg != nullptr ? stream_.msg : "error " + std::to_string(result)));
    }
}

bool PngImageData::Read(std::span<std::uint8_t> into) {
    stream_.next_out = into.data();
    stream_.avail_out = static_cast<uInt>(into.size());
    while (stream_.avail_out > 0) {
        if (!Inflate()) return stream_.avail_out == 0;
    }
    return true;
}

void PngImageData::Finish() {
    // Bytes past the last row are allowed, as some encoders write them.
    std::array<std::uint8_t, 4096> spare{};
    bool more = true;
    while (more) {
        stream_.next_out = spare.data();
        stream_.avail_out = static_cast<uInt>(spare.size());
        more = Inflate();
    }
    // Image data after the zlib stream carries nothing; the chunks are walked to the end chunk.
    if (!ended_) {
        chunks_.FinishChunk();
        while (chunks_.Next().type != png::kImageEnd) {
        }
    }
    chunks_.FinishChunk();
}

}  // namespace pelliton
