// Decodes PNG files of any colour type and depth into RGBA pictures with stb_image, after checking
// that the file can hold the picture its header declares.
#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "common/Counted.h"
#include "common/PngFormat.h"
#include "picture/FileChecks.h"
#include "picture/PictureFile.h"

namespace {

// stb's allocations go through operator new, as ours do, so that they count alike wherever
// allocations are watched. Nothing may throw through stb's C code.
void* StbAllocate(std::size_t size) {
    try {
        return ::operator new(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void StbFree(void* block) { ::operator delete(block); }

void* StbReallocate(void* block, std::size_t oldSize, std::size_t newSize) {
    void* moved = StbAllocate(newSize);
    if (moved == nullptr) return nullptr;  // stb frees the old block itself
    if (block != nullptr) std::memcpy(moved, block, std::min(oldSize, newSize));
    StbFree(block);
    return moved;
}

}  // namespace

#define STBI_MALLOC(size) StbAllocate(size)
#define STBI_REALLOC_SIZED(block, oldSize, newSize) StbReallocate(block, oldSize, newSize)
#define STBI_FREE(block) StbFree(block)
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

namespace pelliton {

namespace {

// The signature, then the image header's length, type and data.
constexpr std::size_t kImageHeaderEnd = png::kSignature.size() + 8 + png::kImageHeaderLength;

// Deflate turns one bit into at most 258 bytes, so the image data inflates to at most about 1032
// times the bytes that hold it.
constexpr std::uint64_t kDeflateMostRatio = 1032;

// What the first chunk, IHDR, declares.
struct PngHeader {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint8_t bitDepth = 0;
    std::uint8_t colourType = 0;
};

std::uint32_t BigEndian32(std::span<const std::uint8_t> bytes) {
    return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 | std::uint32_t{bytes[2]} << 8 | bytes[3];
}

PngHeader ReadPngHeader(std::span<const std::uint8_t> file, std::string_view name) {
    const std::size_t signatureBytes = png::kSignature.size();
    if (file.size() < signatureBytes || !std::ranges::equal(file.first(signatureBytes), png::kSignature)) {
        throw FileError(name, "not a PNG file: it does not start with the PNG signature");
    }
    if (file.size() < kImageHeaderEnd) throw FileError(name, "the file ends inside its PNG header (IHDR)");
    const auto chunk = file.subspan(signatureBytes);  // length, type, then the header's fields
    if (BigEndian32(chunk) != png::kImageHeaderLength || BigEndian32(chunk.subspan(4)) != png::kImageHeader) {
        throw FileError(name, "its first chunk is not the 13-byte PNG header (IHDR)");
    }
    return {BigEndian32(chunk.subspan(8)), BigEndian32(chunk.subspan(12)), chunk[16], chunk[17]};
}

// stb sizes its buffer for a chunk from the length the chunk declares before it reads the chunk, so
// every chunk up to IEND must lie inside the file: a length is never trusted beyond the file. An
// empty first IDAT would have stb copy nothing into a buffer it has not made yet; no encoder
// writes one.
void RequireChunksInsideFile(std::span<const std::uint8_t> file, std::string_view name) {
    bool imageDataSeen = false;
    std::size_t at = png::kSignature.size();
    while (at < file.size()) {
        if (file.size() - at < png::kChunkFrameBytes) {
            throw FileError(name, "the file ends inside the PNG chunk at byte " + std::to_string(at));
        }
        const std::uint32_t length = BigEndian32(file.subspan(at));
        if (length > file.size() - at - png::kChunkFrameBytes) {
            throw FileError(name, "the PNG chunk at byte " + std::to_string(at) + " declares " +
                                      Counted(length, "byte", "bytes") + ", more than the file holds after it");
        }
        const std::uint32_t type = BigEndian32(file.subspan(at + 4));
        if (type == png::kImageEnd) return;
        if (type == png::kImageData && !imageDataSeen && length == 0) {
            throw FileError(name, "its first PNG image data chunk (IDAT), at byte " + std::to_string(at) + ", is empty");
        }
        imageDataSeen = imageDataSeen || type == png::kImageData;
        at += png::kChunkFrameBytes + length;
    }
}

// Bytes the image data inflates to: each row is a filter byte and the row's packed samples. Counted
// without interlacing, which only adds a few filter bytes.
std::uint64_t InflatedBytes(const PngHeader& header) {
    const int samples = png::SamplesPerPixel(header.colourType);
    const std::uint64_t rowBits = std::uint64_t{header.width} * samples * header.bitDepth;
    return header.height * (1 + (rowBits + 7) / 8);
}

// Owns the pixels stb returns.
struct StbFreeDeleter {
    void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};
using StbPixels = std::unique_ptr<stbi_uc, StbFreeDeleter>;

}  // namespace

RgbaPicture DecodePng(std::span<const std::uint8_t> file, std::string_view name) {
    const PngHeader header = ReadPngHeader(file, name);
    RequireChunksInsideFile(file, name);
    RequireSensibleSides(header.width, header.height, name);
    if (png::SamplesPerPixel(header.colourType) == 0) {
        throw FileError(name, "its PNG colour type " + std::to_string(header.colourType) + " does not exist");
    }
    // Sides, colour type and depth declare how much the image data inflates to; a file too small to
    // inflate to that much is refused before stb allocates for it.
    const std::uint64_t inflated = InflatedBytes(header);
    if (inflated > kDeflateMostRatio * file.size()) {
        throw FileError(name, "its " + std::to_string(header.width) + " x " + std::to_string(header.height) +
                                  " pixels need " + std::to_string(inflated) + " bytes of image data, more than its " +
                                  std::to_string(file.size()) + " bytes can inflate to");
    }
    if (file.size() > static_cast<std::size_t>(INT_MAX)) {
        throw FileError(name, "the file is " + std::to_string(file.size()) + " bytes, more than a PNG decoder reads");
    }
    constexpr int kRgba = 4;
    int width = 0;
    int height = 0;
    int channels = 0;
    const StbPixels pixels(
        stbi_load_from_memory(file.data(), static_cast<int>(file.size()), &width, &height, &channels, kRgba));
    if (!pixels) throw FileError(name, std::string("its PNG data cannot be decoded: ") + stbi_failure_reason());

    RgbaPicture picture{width, height, {}};
    const std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * kRgba;
    picture.rgba.assign(pixels.get(), pixels.get() + bytes);
    return picture;
}

}  // namespace pelliton
