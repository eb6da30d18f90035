// The DDS reader. It trusts only magic, header size, pixel format, width and height: the files we
// write put width x height in dwPitchOrLinearSize for DXT5 and leave DDSD_LINEARSIZE off for DXT1,
// so the level size is computed, never read. Further MIP levels are not read.
#include "preview/d3d8/DdsFile.h"

#include <array>
#include <string>

#include "common/LittleEndianReader.h"
#include "preview/d3d8/DxtFormat.h"
#include "preview/d3d8/TextureLoadError.h"

namespace pelliton::d3d8 {

namespace {

constexpr std::uint32_t kDdsMagic = 0x20534444;  // "DDS "
constexpr std::uint32_t kDdsHeaderSize = 124;    // dwSize: the header less its magic
constexpr std::uint32_t DDPF_FOURCC = 0x4;
constexpr std::size_t kDdsFileHeaderBytes = 128;  // magic and header as stored

// The fields of the stored header that the reader uses, named as the format names them.
struct DdsHeader {
    std::uint32_t dwMagic = 0;
    std::uint32_t dwSize = 0;
    std::uint32_t dwHeight = 0;
    std::uint32_t dwWidth = 0;
    std::uint32_t ddspfFlags = 0;         // ddspf.dwFlags
    std::uint32_t ddspfFourCC = 0;        // ddspf.dwFourCC, as D3DFMT_DXTn reads it
    std::uint32_t ddspfRGBBitCount = 0;   // ddspf.dwRGBBitCount
};

DdsHeader DecodeDdsHeader(std::span<const std::uint8_t, kDdsFileHeaderBytes> bytes) {
    LittleEndianReader in(bytes);
    DdsHeader header;
    header.dwMagic = in.UInt32();
    header.dwSize = in.UInt32();
    in.Skip(4);  // dwFlags
    header.dwHeight = in.UInt32();
    header.dwWidth = in.UInt32();
    in.Skip(4 + 4 + 4 + 11 * 4);  // dwPitchOrLinearSize, dwDepth, dwMipMapCount, dwReserved1[11]
    in.Skip(4);                   // ddspf.dwSize
    header.ddspfFlags = in.UInt32();
    header.ddspfFourCC = in.UInt32();
    header.ddspfRGBBitCount = in.UInt32();
    return header;
}

// Names the stored pixel format for a user: its four letters, or its bit count when it has none.
std::string DescribePixelFormat(const DdsHeader& header) {
    if ((header.ddspfFlags & DDPF_FOURCC) == 0) {
        return "uncompressed " + std::to_string(header.ddspfRGBBitCount) + "-bit";
    }
    std::string code;
    for (int shift = 0; shift < 32; shift += 8) {
        const auto letter = static_cast<char>(header.ddspfFourCC >> shift);
        code += letter >= ' ' && letter <= '~' ? letter : '?';
    }
    return "\"" + code + "\"";
}

}  // namespace

bool HasDdsMagic(ImageFile& file) {
    std::array<std::uint8_t, 4> magic{};
    return file.ReadAt(0, magic) && LittleEndianReader(magic).UInt32() == kDdsMagic;
}

std::shared_ptr<Direct3DTexture8> ReadDdsTexture(ImageFile& file) {
    std::array<std::uint8_t, kDdsFileHeaderBytes> headerBytes{};
    if (!file.ReadAt(0, headerBytes)) {
        throw InvalidTexture("the file ends inside its " + std::to_string(kDdsFileHeaderBytes) + "-byte DDS header");
    }
    const DdsHeader header = DecodeDdsHeader(headerBytes);
    if (header.dwMagic != kDdsMagic) throw InvalidTexture("it does not start with the DDS magic");
    if (header.dwSize != kDdsHeaderSize) {
        throw InvalidTexture("its DDS header size is " + std::to_string(header.dwSize) + ", not " +
                             std::to_string(kDdsHeaderSize));
    }
    const DxtFormat* dxt = (header.ddspfFlags & DDPF_FOURCC) != 0 ? FindDxtFormat(header.ddspfFourCC) : nullptr;
    if (dxt == nullptr) {
        throw InvalidTexture("its DDS pixel format is " + DescribePixelFormat(header) +
                             "; the preview reads DXT1, DXT3 and DXT5");
    }
    RequireSensibleTextureSize(header.dwWidth, header.dwHeight);

    const int width = static_cast<int>(header.dwWidth);
    const int height = static_cast<int>(header.dwHeight);
    const std::size_t levelBytes = DxtLevelBytes(*dxt, width, height);
    const auto endsEarly = [&] {
        return InvalidTexture("the file ends before the " + std::to_string(levelBytes) + " bytes of its " +
                              std::to_string(width) + " x " + std::to_string(height) + " texels");
    };
    if (levelBytes > file.Size() - kDdsFileHeaderBytes) throw endsEarly();
    UninitialisedBytes blocks(levelBytes);
    if (!file.ReadAt(kDdsFileHeaderBytes, blocks)) throw endsEarly();
    return MakeBlockTexture(width, height, dxt->format, std::move(blocks));
}

}  // namespace pelliton::d3d8
