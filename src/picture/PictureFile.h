// Decodes the picture files a modder edits: TGA (uncompressed or run-length, true colour of 24 or
// 32 bits or grey of 8 or 16, any origin) and PNG (any colour type, depth and interlacing).
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "common/ByteSource.h"
#include "common/RowsReady.h"
#include "picture/PictureKind.h"
#include "picture/RgbaPicture.h"

namespace pelliton {

struct TgaPicture {
    RgbaPicture picture;
    // Where an uncompressed file stores what follows its pixels: the lower MIP levels of an
    // uncompressed texture, in the files we export. Empty for a run-length file. Left in the file
    // until it is wanted.
    ByteRange trailingBytes;
};

// Each throws PellitonError naming the file (name) and what is wrong with it, before allocating
// more than the file's size can justify; nothing is read outside file. Each reads the file a
// bounded piece at a time: beside the picture it holds only a few rows.
TgaPicture DecodeTga(const ByteSource& file, std::string_view name);
RgbaPicture DecodePng(const ByteSource& file, std::string_view name);

// The picture of the TGA or PNG file at path (UTF-8), decoded as kind says; a DDS kind is refused,
// as it holds texels rather than a picture. Throws PellitonError as the decoders do.
RgbaPicture DecodePictureFile(const std::string& path, PictureKind kind);

// A PNG file read up to its pixels, its header and colours checked (the errors of DecodePng), so
// that work on its picture can start while the pixels are decoded.
class PngDecoding {
public:
    PngDecoding(const ByteSource& file, std::string_view name);
    PngDecoding(const PngDecoding&) = delete;
    PngDecoding& operator=(const PngDecoding&) = delete;
    ~PngDecoding();

    // The picture of the file's sides, its texels not yet decoded.
    RgbaPicture AllocatePicture() const;
    // Decodes the pixels into picture (from AllocatePicture), publishing to rows each row from the top
    // as it is done (an interlaced file's rows all at once at its end). Once only. Throws PellitonError.
    void DecodeInto(RgbaPicture& picture, RowsReady* rows);

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

}  // namespace pelliton
