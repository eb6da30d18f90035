// Our decoders against ImageMagick's on pictures that Pillow and ImageMagick write: every PNG
// colour type and depth, interlaced or not, and TGA files of both origins, uncompressed and run-length.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "picture/PictureFile.h"
#include "support/ImageMagick.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"
#include "support/PictureBytes.h"

namespace pelliton {
namespace {

using testing::ReadFileBytes;
using testing::RunProgram;
using testing::TempDir;

// Debian's Pillow lives in the system Python; the first python3 on PATH may lack it.
const std::filesystem::path kPython = "/usr/bin/python3";

// Writes a 7 x 5 RGBA picture (its raw bytes as source.rgba) in the folder of argv[1], in each
// form the test reads. 16-bit samples are 257 times the 8-bit ones, which every decoder agrees on.
constexpr const char* kMakePictures = R"(
import os, subprocess, sys
from PIL import Image
os.chdir(sys.argv[1])
w, h = 7, 5
source = bytes(v for y in range(h) for x in range(w) for v in (x * 36, y * 60, x * y * 17 % 256, 255 - x * 20 - y * 10))
open('source.rgba', 'wb').write(source)
im = Image.frombytes('RGBA', (w, h), source)
im.save('rgba.png')
im.convert('RGB').save('rgb.png')
im.convert('L').save('grey.png')
im.convert('LA').save('grey-alpha.png')
im.convert('1').save('one-bit.png')
im.convert('RGB').convert('P', palette=Image.ADAPTIVE, colors=16).save('palette.png', transparency=3)
im.convert('I').point(lambda v: v * 257).save('grey16.png')
subprocess.run(['convert', 'rgb.png', '-depth', '16', 'PNG48:rgb16.png'], check=True)
subprocess.run(['convert', 'rgba.png', '-interlace', 'PNG', 'PNG32:interlaced.png'], check=True)
subprocess.run(['convert', 'rgba.png', '-interlace', 'PNG', 'PNG64:interlaced16.png'], check=True)
im.save('bottom-left.tga')
im.save('top-left.tga', orientation=1)
im.save('run-length.tga', compression='tga_rle')
im.convert('RGB').save('rgb.tga')
)";

TEST(IndependentDecoder, DecodesWhatImageMagickDecodes) {
    PELLITON_NEEDS_IMAGEMAGICK();
    const TempDir dir;
    if (!std::filesystem::exists(kPython) || RunProgram(kPython, {"-c", "import PIL"}, dir).status != 0) {
        GTEST_SKIP() << "needs Pillow in " << kPython << " to write the pictures";
    }
    const auto made = RunProgram(kPython, {"-c", kMakePictures, dir.path().string()}, dir);
    ASSERT_EQ(made.status, 0) << made.err;
    const auto source = ReadFileBytes(dir.path() / "source.rgba");

    const std::pair<const char*, bool> files[] = {
        {"rgba.png", true},        {"interlaced.png", true}, {"interlaced16.png", true}, {"rgb.png", false},     {"grey.png", false},      {"grey-alpha.png", false},
        {"one-bit.png", false},    {"palette.png", false}, {"grey16.png", false},    {"rgb16.png", false},
        {"bottom-left.tga", true}, {"top-left.tga", true}, {"run-length.tga", true}, {"rgb.tga", false}};
    for (const auto& [name, keepsEveryByte] : files) {
        SCOPED_TRACE(name);
        const auto path = dir.path() / name;
        const auto bytes = ReadFileBytes(path);
        const bool isTga = path.extension() == ".tga";
        const MemorySource file(bytes);
        const RgbaPicture picture = isTga ? DecodeTga(file, name).picture : DecodePng(file, name);
        EXPECT_EQ(picture.width, 7);
        EXPECT_EQ(picture.height, 5);
        EXPECT_EQ(testing::TexelBytes(picture), testing::DecodeWithImageMagick(path, dir));
        if (keepsEveryByte) {
            EXPECT_EQ(testing::TexelBytes(picture), source);
        }
    }
}

}  // namespace
}  // namespace pelliton
