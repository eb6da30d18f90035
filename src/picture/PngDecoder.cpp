// Decodes PNG files of any colour type and depth into RGBA pictures, reading the file a piece at a
// time: the image data inflates a row at a time, each row restored and converted straight into the
// picture, so that beside the picture only a few rows and a read buffer are held.
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include <zlib.h>

#include "common/Counted.h"
#include "common/PngFormat.h"
#include "picture/FileChecks.h"
#include "picture/PictureFile.h"
#include "picture/PngChunkReader.h"
#include "picture/PngImageData.h"
#include "picture/PngLayout.h"
#include "picture/PngPixelConverter.h"
#include "picture/PngUnfilter.h"

namespace pelliton {

namespace {

// The signature, then the image header's length, type, data and CRC.
constexpr std::size_t kImageHeaderEnd = png::kSignature.size() + png::kChunkFrameBytes + png::kImageHeaderLength;

// Deflate turns one bit into at most 258 bytes, so the image data inflates to at most about 1032
// times the bytes that hold it.
constexpr std::uint64_t kDeflateMostRatio = 1032;

constexpr std::uint32_t kPalette = png::ChunkType("PLTE");
constexpr std::uint32_t kTransparency = png::ChunkType("tRNS");
constexpr std::size_t kMostPaletteEntries = 256;

// A chunk whose type's first letter is a capital is critical: a decoder that does not know it
// cannot decode the picture.
constexpr std::uint32_t kAncillaryBit = 0x20000000;

png::ImageHeader ReadImageHeader(const ByteSource& file, std::string_view name) {
    const std::size_t signatureBytes = png::kSignature.size();
    std::array<std::uint8_t, kImageHeaderEnd> start{};
    const auto stored =
        std::span(start).first(static_cast<std::size_t>(std::min<std::uint64_t>(file.Size(), start.size())));
    file.ReadAt(0, stored);
    if (stored.size() < signatureBytes || !std::ranges::equal(stored.first(signatureBytes), png::kSignature)) {
        throw FileError(name, "not a PNG file: it does not start with the PNG signature");
    }
    if (stored.size() < kImageHeaderEnd) throw FileError(name, "the file ends inside its PNG header (IHDR)");
    const auto chunk = stored.subspan(signatureBytes);  // length, type, the header's fields, CRC
    if (png::BigEndian32(chunk) != png::kImageHeaderLength || png::BigEndian32(chunk.subspan(4)) != png::kImageHeader) {
        throw FileError(name, "its first chunk is not the 13-byte PNG header (IHDR)");
    }
    const auto typeAndData = chunk.subspan(4, 4 + png::kImageHeaderLength);
    if (crc32(0, typeAndData.data(), static_cast<uInt>(typeAndData.size())) !=
        png::BigEndian32(chunk.subspan(8 + png::kImageHeaderLength))) {
        throw PngChunkCrcError(name, png::kImageHeader, signatureBytes);
    }
    const auto data = chunk.subspan(8);
    return {png::BigEndian32(data), png::BigEndian32(data.subspan(4)), data[8], data[9], data[10], data[11], data[12]};
}

void RequireKnownLayout(const png::ImageHeader& header, std::string_view name) {
    if (png::SamplesPerPixel(header.colourType) == 0) {
        throw FileError(name, "its PNG colour type " + std::to_string(header.colourType) + " does not exist");
    }
    if (!png::IsAllowedDepth(header.colourType, header.bitDepth)) {
        throw FileError(name, "its PNG colour type " + std::to_string(header.colourType) + " cannot have " +
                                  std::to_string(header.bitDepth) + "-bit samples");
    }
    if (header.compressionMethod != 0 || header.filterMethod != 0) {
        throw FileError(name, "its PNG compression method " + std::to_string(header.compressionMethod) +
                                  " or filter method " + std::to_string(header.filterMethod) + " does not exist");
    }
    if (header.interlaceMethod != png::kNotInterlaced && header.interlaceMethod != png::kAdam7) {
        throw FileError(name, "its PNG interlace method " + std::to_string(header.interlaceMethod) + " does not exist");
    }
}

// Bytes the image data inflates to: each row is a filter byte and the row's packed samples. Counted
// without interlacing, which only adds a few filter bytes.
std::uint64_t InflatedBytes(const png::ImageHeader& header) {
    return std::uint64_t{header.height} * (1 + png::RowBytes(header, header.width));
}

// What the chunks before the image data say about the colours.
struct Colours {
    std::vector<std::uint8_t> palette;       // PLTE
    std::vector<std::uint8_t> transparency;  // tRNS
};

// Reads the chunks up to the first image data chunk (IDAT), where it leaves chunks.
Colours ReadColourChunks(PngChunkReader& chunks, const png::ImageHeader& header, std::string_view name) {
    Colours colours;
    for (const PngChunk* chunk = &chunks.Next(); chunk->type != png::kImageData; chunk = &chunks.Next()) {
        const std::string where = PngChunkName(chunk->type) + " chunk at byte " + std::to_string(chunk->at);
        if (chunk->type == kPalette) {
            if (chunk->length % 3 != 0 || chunk->length > 3 * kMostPaletteEntries) {
                throw FileError(name, "its PNG " + where + " holds " + Counted(chunk->length, "byte", "bytes") +
                                          ", not 3 for each of up to 256 colours");
            }
            colours.palette = chunks.ReadAll();
        } else if (chunk->type == kTransparency) {
            if (header.colourType == png::kPalette) {
                if (colours.palette.empty()) throw FileError(name, "its PNG " + where + " comes before its palette");
                if (chunk->length > colours.palette.size() / 3) {
                    throw FileError(name, "its PNG " + where + " gives " + std::to_string(chunk->length) +
                                              " alphas, more than its palette's " +
                                              std::to_string(colours.palette.size() / 3) + " colours");
                }
            } else if (header.colourType == png::kGreyAlpha || header.colourType == png::kRgba) {
                throw FileError(name, "its PNG " + where + " makes a colour transparent, but its pixels have alpha");
            } else if (chunk->length != 2 * static_cast<std::uint32_t>(png::SamplesPerPixel(header.colourType))) {
                throw FileError(name, "its PNG " + where + " holds " + Counted(chunk->length, "byte", "bytes") +
                                          ", not 2 for each sample of a pixel");
            }
            colours.transparency = chunks.ReadAll();
        } else if (chunk->type == png::kImageHeader || chunk->type == png::kImageEnd ||
                   (chunk->type & kAncillaryBit) == 0) {
            throw FileError(name, "its PNG " + where + " is not expected before the image data (IDAT)");
        }
    }
    if (header.colourType == png::kPalette && colours.palette.empty()) {
        throw FileError(name, "its PNG pixels are palette entries, but no palette (PLTE) comes before its image data");
    }
    return colours;
}

// Restores and converts the rows of one pass (the whole picture when it is not interlaced).
class PassDecoder {
public:
    PassDecoder(const png::ImageHeader& header, const png::PixelConverter& converter, RgbaPicture& picture,
                std::string_view name)
        : header_(header),
          converter_(converter),
          picture_(picture),
          name_(name),
          row_(1 + png::RowBytes(header, header.width)),
          previous_(png::RowBytes(header, header.width)) {}

    void Decode(PngImageData& data, const png::Pass& pass, std::size_t passNumber, RowsReady* ready) {
        const std::uint32_t columns = pass.Columns(header_.width);
        const std::uint32_t rows = pass.Rows(header_.height);
        if (columns == 0 || rows == 0) return;  // an empty pass stores no rows at all
        const std::size_t rowBytes = png::RowBytes(header_, columns);
        const std::span<std::uint8_t> filtered = std::span(row_).first(1 + rowBytes);
        const std::span<std::uint8_t> samples = filtered.subspan(1);
        const std::span<std::uint8_t> above = std::span(previous_).first(rowBytes);
        std::ranges::fill(above, std::uint8_t{0});  // a pass's first row has none above it
        const std::size_t rowStride = static_cast<std::size_t>(header_.width) * 4;
        for (std::uint32_t r = 0; r < rows; ++r) {
            if (!data.Read(filtered))
                throw FileError(name_, "its image data ends inside " + RowName(r, rows, passNumber));
            if (filtered[0] >= png::kFilterTypes) {
                throw FileError(name_, RowName(r, rows, passNumber) + " has filter type " +
                                           std::to_string(filtered[0]) + ", which PNG does not have");
            }
            png::Unfilter(filtered[0], samples, above, png::FilterUnit(header_));
            const std::size_t y = pass.firstRow + std::size_t{r} * pass.rowStep;
            std::uint8_t* out = picture_.rgba.data() + y * rowStride + std::size_t{pass.firstColumn} * 4;
            converter_.Convert(samples, columns, out, std::size_t{pass.columnStep} * 4);
            std::ranges::copy(samples, above.begin());
            if (ready != nullptr) ready->Publish(static_cast<int>(y) + 1);
        }
    }

private:
    static std::string RowName(std::uint32_t row, std::uint32_t rows, std::size_t passNumber) {
        std::string where = "row " + std::to_string(row + 1) + " of " + std::to_string(rows);
        if (passNumber > 0) where += " of interlace pass " + std::to_string(passNumber);
        return where;
    }

    const png::ImageHeader& header_;
    const png::PixelConverter& converter_;
    RgbaPicture& picture_;
    std::string_view name_;
    std::vector<std::uint8_t> row_;       // the filter byte, then the row as it inflates
    std::vector<std::uint8_t> previous_;  // the row above, restored
};

}  // namespace

struct PngDecoding::Parts {
    Parts(const png::ImageHeader& header, const ByteSource& file, std::string_view name)
        : name(name), header(header), chunks(file, kImageHeaderEnd, name) {}

    std::string_view name;
    png::ImageHeader header;
    PngChunkReader chunks;
    Colours colours;
};

PngDecoding::PngDecoding(const ByteSource& file, std::string_view name) {
    const png::ImageHeader header = ReadImageHeader(file, name);
    RequireSensibleSides(header.width, header.height, name);
    RequireKnownLayout(header, name);
    // Sides, colour type and depth declare how much the image data inflates to; a file too small to
    // inflate to that much is refused before the picture is allocated.
    const std::uint64_t inflated = InflatedBytes(header);
    if (inflated > kDeflateMostRatio * file.Size()) {
        throw FileError(name, "its " + std::to_string(header.width) + " x " + std::to_string(header.height) +
                                  " pixels need " + std::to_string(inflated) + " bytes of image data, more than its " +
                                  std::to_string(file.Size()) + " bytes can inflate to");
    }
    parts_ = std::make_unique<Parts>(header, file, name);
    parts_->colours = ReadColourChunks(parts_->chunks, header, name);
}

PngDecoding::~PngDecoding() = default;

RgbaPicture PngDecoding::AllocatePicture() const {
    const png::ImageHeader& header = parts_->header;
    RgbaPicture picture{static_cast<int>(header.width), static_cast<int>(header.height), {}};
    picture.rgba.resize(std::size_t{header.width} * header.height * 4);
    return picture;
}

void PngDecoding::DecodeInto(RgbaPicture& picture, RowsReady* rows) {
    const png::ImageHeader& header = parts_->header;
    const png::PixelConverter converter(header, parts_->colours.palette, parts_->colours.transparency);
    PngImageData data(parts_->chunks, parts_->name);
    PassDecoder passes(header, converter, picture, parts_->name);
    if (header.interlaceMethod == png::kAdam7) {
        for (std::size_t pass = 0; pass < png::kAdam7Passes.size(); ++pass) {
            passes.Decode(data, png::kAdam7Passes[pass], pass + 1, nullptr);
        }
    } else {
        passes.Decode(data, png::kWholePicture, 0, rows);
    }
    data.Finish();
    if (rows != nullptr) rows->Publish(picture.height);
}

RgbaPicture DecodePng(const ByteSource& file, std::string_view name) {
    PngDecoding png(file, name);
    RgbaPicture picture = png.AllocatePicture();
    png.DecodeInto(picture, nullptr);
    return picture;
}

}  // namespace pelliton
