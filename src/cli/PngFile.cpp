#include "cli/PngFile.h"

#include <png.h>

#include <cstdint>
#include <vector>

#include "common/PellitonError.h"
#include "common/Utf8Path.h"

namespace pelliton {

void WritePngFile(const std::filesystem::path& path, const d3d8::Frame& frame) {
    // Frame pixels are 0xXXRRGGBB; the file takes red, green, blue bytes.
    std::vector<std::uint8_t> rgb;
    rgb.reserve(frame.pixels.size() * 3);
    for (const std::uint32_t pixel : frame.pixels) {
        rgb.push_back(static_cast<std::uint8_t>(pixel >> 16));
        rgb.push_back(static_cast<std::uint8_t>(pixel >> 8));
        rgb.push_back(static_cast<std::uint8_t>(pixel));
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(frame.width);
    image.height = static_cast<png_uint_32>(frame.height);
    image.format = PNG_FORMAT_RGB;
    if (png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr) == 0) {
        const std::string reason = image.message;
        png_image_free(&image);
        throw PellitonError("cannot write " + PathToUtf8(path) + ": " + reason);
    }
}

}  // namespace pelliton
