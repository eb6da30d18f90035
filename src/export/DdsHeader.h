// The header of the DDS files we write for block-compressed textures.
#pragma once

#include <cstdint>

#include "common/DdsFormat.h"
#include "rsh/RshRecords.h"
#include "rsh/TextureFormats.h"

namespace pelliton {

// The header of a block-compressed texture. Throws PellitonError when a DXT5 texture's
// width x height leaves the 32-bit signed range.
dds::FileHeader MakeDdsHeader(const TextureFormat& format, const TextureAttributes& attr, std::int32_t dataSize);

}  // namespace pelliton
