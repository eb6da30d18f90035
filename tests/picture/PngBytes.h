// Builds small PNG files byte by byte, so that the decoder's checks can be tested on any header.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pelliton::testing {

using Bytes = std::vector<std::uint8_t>;

inline void AppendBigEndian32(Bytes& bytes, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back(static_cast<std::uint8_t>(value >> shift));
}

// A chunk: length, type, data and the CRC-32 of type and data.
inline void AppendChunk(Bytes& png, std::string_view type, const Bytes& data) {
    AppendBigEndian32(png, static_cast<std::uint32_t>(data.size()));
    Bytes crcd(type.begin(), type.end());
    crcd.insert(crcd.end(), data.begin(), data.end());
    std::uint32_t crc = 0xFFFFFFFF;
    for (const std::uint8_t byte : crcd) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320 & (0U - (crc & 1)));
    }
    png.insert(png.end(), crcd.begin(), crcd.end());
    AppendBigEndian32(png, ~crc);
}

// A zlib stream holding data in stored (uncompressed) deflate blocks of at most 65535 bytes.
inline Bytes StoredZlib(const Bytes& data) {
    Bytes zlib = {0x78, 0x01};
    std::size_t at = 0;
    do {
        const auto length = static_cast<std::uint16_t>(std::min<std::size_t>(data.size() - at, 65535));
        const bool last = at + length == data.size();
        zlib.insert(zlib.end(), {static_cast<std::uint8_t>(last ? 1 : 0), static_cast<std::uint8_t>(length),
                                 static_cast<std::uint8_t>(length >> 8), static_cast<std::uint8_t>(~length),
                                 static_cast<std::uint8_t>(~length >> 8)});
        zlib.insert(zlib.end(), data.begin() + static_cast<std::ptrdiff_t>(at),
                    data.begin() + static_cast<std::ptrdiff_t>(at + length));
        at += length;
    } while (at < data.size());
    std::uint32_t a = 1, b = 0;  // Adler-32
    for (const std::uint8_t byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    AppendBigEndian32(zlib, b << 16 | a);
    return zlib;
}

// A PNG file: its header declares the sides, depth and colour type; rows are the filtered rows as
// they inflate (each a filter byte, then the row), stored uncompressed.
inline Bytes PngFile(std::uint32_t width, std::uint32_t height, std::uint8_t bitDepth, std::uint8_t colourType,
                     const Bytes& rows) {
    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    AppendBigEndian32(header, width);
    AppendBigEndian32(header, height);
    header.insert(header.end(), {bitDepth, colourType, 0, 0, 0});
    AppendChunk(png, "IHDR", header);
    AppendChunk(png, "IDAT", StoredZlib(rows));
    AppendChunk(png, "IEND", {});
    return png;
}

// The parts of a PNG file, put together by Assemble: any chunks between the header and the image
// data, and the zlib stream split into image data chunks (IDAT) of idatPiece bytes.
struct PngParts {
    std::uint32_t width = 1;
    std::uint32_t height = 1;
    std::uint8_t bitDepth = 8;
    std::uint8_t colourType = 6;
    std::uint8_t interlace = 0;
    std::vector<std::pair<std::string, Bytes>> before;  // type and data
    Bytes zlib;
    std::size_t idatPiece = SIZE_MAX;

    Bytes Assemble() const {
        Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
        Bytes header;
        AppendBigEndian32(header, width);
        AppendBigEndian32(header, height);
        header.insert(header.end(), {bitDepth, colourType, 0, 0, interlace});
        AppendChunk(png, "IHDR", header);
        for (const auto& [type, data] : before) AppendChunk(png, type, data);
        std::size_t at = 0;
        do {
            const std::size_t piece = std::min(idatPiece, zlib.size() - at);
            AppendChunk(png, "IDAT",
                        Bytes(zlib.begin() + static_cast<std::ptrdiff_t>(at),
                              zlib.begin() + static_cast<std::ptrdiff_t>(at + piece)));
            at += piece;
        } while (at < zlib.size());
        AppendChunk(png, "IEND", {});
        return png;
    }
};

}  // namespace pelliton::testing
