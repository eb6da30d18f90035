#include "export/TextureExport.h"

#include "export/DdsHeader.h"
#include "export/TgaHeader.h"

namespace pelliton {

namespace {

std::variant<dds::FileHeader, tga::FileHeader> MakeHeader(const TextureFormat& format,
                                                          const TextureAttributes& attributes,
                                                          std::int32_t dataSize) {
    if (format.layout == TexelLayout::BlockCompressed) return MakeDdsHeader(format, attributes, dataSize);
    return MakeTgaHeader(attributes);
}

}  // namespace

ExportHeader::ExportHeader(const TextureFormat& format, const TextureAttributes& attributes, std::int32_t dataSize)
    : header_(MakeHeader(format, attributes, dataSize)) {}

std::string_view ExportHeader::Extension() const {
    return std::holds_alternative<dds::FileHeader>(header_) ? ".DDS" : ".TGA";
}

std::span<const std::byte> ExportHeader::Bytes() const {
    return std::visit([](const auto& header) { return std::as_bytes(std::span(&header, 1)); }, header_);
}

void WriteTextureFile(const ExportWriter& write, const std::filesystem::path& target, const ExportHeader& header,
                      const ByteRange& texels) {
    write(target, [&](OutputFile& out) {
        out.Reserve(header.Bytes().size() + texels.Size());
        out.Write(header.Bytes());
        out.Write(texels);
    });
}

}  // namespace pelliton
