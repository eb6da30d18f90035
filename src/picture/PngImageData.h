// The bytes that a PNG file's image data chunks (IDAT) inflate to, taken a row at a time: the
// zlib stream may be split across the chunks anywhere, and is never held whole.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <span>
#include <string_view>

#include "picture/PngChunkReader.h"

namespace pelliton {

class PngImageData {
public:
    // chunks stands at the first image data chunk.
    PngImageData(PngChunkReader& chunks, std::string_view name);
    ~PngImageData();
    PngImageData(const PngImageData&) = delete;
    PngImageData& operator=(const PngImageData&) = delete;

    // Fills into with the next inflated bytes. False when the zlib stream or the image data
    // ends first; throws when the data is not a sound zlib stream.
    bool Read(std::span<std::uint8_t> into);
    // Inflates what is left of the stream, which no row needs, to check it to its end (and its
    // Adler-32), then walks the chunks to the end chunk (IEND).
    void Finish();

private:
    // Gives the stream the next piece of image data; false at the end chunk.
    bool Refill();
    // One step of inflation into what next_out and avail_out describe; false at the stream's end.
    bool Inflate();

    PngChunkReader& chunks_;
    std::string_view name_;
    z_stream stream_{};
    bool streamEnded_ = false;
    bool ended_ = false;  // the end chunk (IEND) has been reached
};

}  // namespace pelliton
