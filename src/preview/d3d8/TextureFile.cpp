// The texture loader: opens the file, tells DDS (by its magic) from TGA (everything else), makes a
// texture that reads the rows of level 0 as they are sampled, and keeps exceptions inside. Every
// size a header declares is checked against the file before anything is allocated from it.
#include "preview/d3d8/TextureFile.h"

#include <cstring>
#include <filesystem>
#include <new>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <type_traits>
#include <vector>

#include "common/DdsFormat.h"
#include "common/FileSource.h"
#include "common/ImageSides.h"
#include "common/PellitonError.h"
#include "common/TgaFormat.h"
#include "common/Utf8Path.h"

namespace pelliton::d3d8 {

namespace {

// Why a texture file could not be loaded: the result code the loader returns, and a reason a user
// can act on ("its DDS pixel format is ...", "No such file or directory").
struct TextureLoadError : PellitonError {
    TextureLoadError(HRESULT code, const std::string& reason) : PellitonError(reason), code(code) {}
    HRESULT code;
};

// The file is there, but its content is not a texture the loader reads.
TextureLoadError InvalidTexture(const std::string& reason) { return {D3DXERR_INVALIDDATA, reason}; }

// What a side of a texture counts, in a refusal of its size.
constexpr std::string_view kSideUnit = "texels";

// An image file opened for reading, or its bytes in memory, its size known up front so that a reader
// can check what a header declares against what is there.
class ImageFile {
public:
    // Throws TextureLoadError (D3DERR_NOTAVAILABLE) when path is not a regular file that can be
    // opened for reading. file_size fails for missing files, directories and devices, so nothing
    // unbounded is opened.
    explicit ImageFile(const std::string& utf8Path) {
        std::error_code error;
        [[maybe_unused]] const auto size = std::filesystem::file_size(PathFromUtf8(utf8Path), error);  // for its reason
        if (error) throw TextureLoadError(D3DERR_NOTAVAILABLE, error.message());
        try {
            source_ = std::make_unique<FileSource>(utf8Path);
        } catch (const PellitonError&) {
            throw TextureLoadError(D3DERR_NOTAVAILABLE, "it cannot be opened for reading");
        }
    }

    explicit ImageFile(std::vector<std::uint8_t> bytes)
        : bytes_(std::move(bytes)), source_(std::make_unique<MemorySource>(bytes_)) {}

    std::uint64_t Size() const { return source_->Size(); }

    // Fills bytes from offset on; false, and nothing promised about bytes, when the file ends first.
    bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> bytes) const {
        try {
            source_->ReadAt(offset, bytes);
            return true;
        } catch (const PellitonError&) {
            return false;
        }
    }

    // Fills a file header, a plain struct of the stored bytes, from the start of the file.
    template <typename Header>
    bool ReadHeader(Header& header) const {
        static_assert(std::is_trivially_copyable_v<Header>);
        return ReadAt(0, std::span(reinterpret_cast<std::uint8_t*>(&header), sizeof header));
    }

private:
    std::vector<std::uint8_t> bytes_;  // when the file is in memory
    std::unique_ptr<ByteSource> source_;
};

// ---- DDS ----------------------------------------------------------------------------------------
// It trusts only magic, header size, pixel format, width and height: the files we write put
// width x height in dwPitchOrLinearSize for DXT5 and leave DDSD_LINEARSIZE off for DXT1, so the
// level size is computed, never read. Further MIP levels are not read.

using dds::kColourBlockBytes;

constexpr dds::RefusalWording kDdsWording{.namesBitCount = true,
                                          .formatsRead = "the preview reads DXT1, DXT3 and DXT5",
                                          .sideUnit = kSideUnit};

std::shared_ptr<Direct3DTexture8> ReadDdsTexture(const std::shared_ptr<ImageFile>& file) {
    dds::FileHeader header;
    if (!file->ReadHeader(header)) {
        throw InvalidTexture("the file ends inside its " + std::to_string(sizeof header) + "-byte DDS header");
    }
    if (const auto refusal = dds::HeaderRefusal(header, kDdsWording)) throw InvalidTexture(*refusal);

    const int width = header.dwWidth;
    const int height = header.dwHeight;
    const DWORD format = header.ddspf.dwFourCC;
    const std::size_t levelBytes = dds::LevelBytes(format, width, height);
    const auto endsEarly = [=] {
        return InvalidTexture("the file ends before the " + std::to_string(levelBytes) + " bytes of its " +
                              std::to_string(width) + " x " + std::to_string(height) + " texels");
    };
    if (levelBytes > file->Size() - sizeof header) throw endsEarly();

    // Each block ends in its colour half: DXT3 and DXT5 blocks put their alpha half first.
    const std::size_t blockBytes = dds::BlockBytes(format);
    const std::size_t storedRowBytes = RowBytes(dds::BlocksAlong(width), blockBytes);
    std::vector<std::uint8_t> stored(storedRowBytes);
    auto readColours = [=](int row, std::span<std::uint8_t> colours) mutable {
        if (!file->ReadAt(sizeof header + static_cast<std::uint64_t>(row) * storedRowBytes, stored)) throw endsEarly();
        for (std::size_t block = 0; block * kColourBlockBytes < colours.size(); ++block) {
            std::memcpy(&colours[block * kColourBlockBytes], &stored[(block + 1) * blockBytes - kColourBlockBytes],
                        kColourBlockBytes);
        }
    };
    const std::size_t colourRowBytes = RowBytes(dds::BlocksAlong(width), kColourBlockBytes);
    return std::make_shared<Direct3DTexture8>(
        width, height, format, TexelRows(dds::BlocksAlong(height), colourRowBytes, std::move(readColours)));
}

// ---- TGA ----------------------------------------------------------------------------------------
// Pixels stored blue, green, red(, alpha), rows in the order the image descriptor declares; the
// texture keeps the pixels as stored, its top row first.

std::shared_ptr<Direct3DTexture8> ReadTgaTexture(const std::shared_ptr<ImageFile>& file) {
    // Without a magic of its own, a file that is no TGA we read is most likely no image we know.
    const auto unknownKind = [] {
        return InvalidTexture("it is neither a DDS file nor an uncompressed 24- or 32-bit TGA file");
    };
    tga::FileHeader header;
    if (!file->ReadHeader(header)) throw unknownKind();
    const std::uint16_t width = tga::Width(header);
    const std::uint16_t height = tga::Height(header);
    // Run-length files are not read. A colour map would only need skipping, but nothing we read or
    // write has one.
    const tga::HeaderFault fault = tga::FindHeaderFault(header, tga::ImageTypesRead{});  // true colour, uncompressed
    if (fault == tga::HeaderFault::kSides) throw InvalidTexture(SidesOutOfRange(width, height, kSideUnit));
    if (fault != tga::HeaderFault::kNone) throw unknownKind();

    const std::size_t bytesPerPixel = tga::BytesPerPixel(header);
    const std::uint64_t pixelsAt = tga::PixelsOffset(header);  // the ID field is skipped
    const std::size_t pixelBytes = std::size_t{width} * height * bytesPerPixel;
    const auto endsEarly = [=] {
        return InvalidTexture("the file ends before the " + std::to_string(pixelBytes) + " bytes of its " +
                              std::to_string(width) + " x " + std::to_string(height) + " pixels");
    };
    if (pixelsAt > file->Size() || pixelBytes > file->Size() - pixelsAt) throw endsEarly();

    // The texture has the top row first, whatever order the file stores its rows in.
    auto readPixels = [=](int row, std::span<std::uint8_t> pixels) {
        const auto storedRow = static_cast<std::uint64_t>(tga::StoredRow(header, row));
        if (!file->ReadAt(pixelsAt + storedRow * pixels.size(), pixels)) throw endsEarly();
    };
    const DWORD format = header.PixelDepth == tga::kDepthRgba ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8;
    return std::make_shared<Direct3DTexture8>(width, height, format, bytesPerPixel,
                                              (header.ImageDescriptor & tga::kRightToLeft) != 0,
                                              TexelRows(height, RowBytes(width, bytesPerPixel), std::move(readPixels)));
}

}  // namespace

namespace {

// DDS or TGA, told apart by content: TGA has no magic of its own, so it is what remains.
template <typename ImageFileSource>
HRESULT LoadTexture(ImageFileSource&& source, std::shared_ptr<Direct3DTexture8>& out, std::string* failureReason) {
    const auto failure = [failureReason](HRESULT code, const char* reason) {
        if (failureReason != nullptr) *failureReason = reason;
        return code;
    };
    try {
        const auto file = std::make_shared<ImageFile>(std::forward<ImageFileSource>(source));
        std::uint32_t magic = 0;
        out = file->ReadHeader(magic) && magic == dds::kMagic ? ReadDdsTexture(file) : ReadTgaTexture(file);
        return D3D_OK;
    } catch (const TextureLoadError& error) {
        return failure(error.code, error.what());
    } catch (const std::bad_alloc&) {
        return failure(E_OUTOFMEMORY, "out of memory");
    } catch (const std::exception&) {
        return failure(D3DERR_NOTAVAILABLE, "its path cannot be represented on this system");
    }
}

}  // namespace

HRESULT LoadTextureFile(const std::string& utf8Path, std::shared_ptr<Direct3DTexture8>& out,
                        std::string* failureReason) {
    return LoadTexture(utf8Path, out, failureReason);
}

HRESULT LoadTextureFileInMemory(std::vector<std::uint8_t> bytes, std::shared_ptr<Direct3DTexture8>& out,
                                std::string* failureReason) {
    return LoadTexture(std::move(bytes), out, failureReason);
}

}  // namespace pelliton::d3d8
