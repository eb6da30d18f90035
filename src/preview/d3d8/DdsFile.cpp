// The DDS reader. It trusts only magic, header size, pixel format, width and height: the files we
// write put width x height in dwPitchOrLinearSize for DXT5 and leave DDSD_LINEARSIZE off for DXT1,
// so the level size is computed, never read. Further MIP levels are not read.
#include "DdsFile.h"

#include <array>

#include "DxtFormat.h"
#include "LittleEndianReader.h"

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
    std::uint32_t ddspfFlags = 0;   // ddspf.dwFlags
    std::uint32_t ddspfFourCC = 0;  // ddspf.dwFourCC, as D3DFMT_DXTn reads it
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
    return header;
}

}  // namespace

bool HasDdsMagic(ImageFile& file) {
    std::array<std::uint8_t, 4> magic{};
    return file.ReadAt(0, magic) && LittleEndianReader(magic).UInt32() == kDdsMagic;
}

HRESULT ReadDdsTexture(ImageFile& file, std::shared_ptr<Direct3DTexture8>& out) {
    std::array<std::uint8_t, kDdsFileHeaderBytes> headerBytes{};
    if (!file.ReadAt(0, headerBytes)) return D3DXERR_INVALIDDATA;
    const DdsHeader header = DecodeDdsHeader(headerBytes);
    if (header.dwMagic != kDdsMagic || header.dwSize != kDdsHeaderSize) return D3DXERR_INVALIDDATA;
    const DxtFormat* dxt = (header.ddspfFlags & DDPF_FOURCC) != 0 ? FindDxtFormat(header.ddspfFourCC) : nullptr;
    if (dxt == nullptr) return D3DXERR_INVALIDDATA;
    if (!IsSensibleTextureSide(header.dwWidth) || !IsSensibleTextureSide(header.dwHeight)) return D3DXERR_INVALIDDATA;

    const int width = static_cast<int>(header.dwWidth);
    const int height = static_cast<int>(header.dwHeight);
    const std::size_t levelBytes = DxtLevelBytes(*dxt, width, height);
    if (levelBytes > file.Size() - kDdsFileHeaderBytes) return D3DXERR_INVALIDDATA;

    UninitialisedBytes blocks(levelBytes);
    if (!file.ReadAt(kDdsFileHeaderBytes, blocks)) return D3DXERR_INVALIDDATA;
    out = MakeBlockTexture(width, height, dxt->format, std::move(blocks));
    return D3D_OK;
}

}  // namespace pelliton::d3d8
