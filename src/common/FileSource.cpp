#include "common/FileSource.h"

#include "common/FileSourcePlatform.h"
#include "common/PellitonError.h"

namespace pelliton {

namespace {

PellitonError ShorterFile(const std::string& path, std::uint64_t offset) {
    return PellitonError("reading " + path + " at byte " + std::to_string(offset) +
                         " failed: the file is shorter than when it was opened");
}

}  // namespace

FileSource::FileSource(const std::string& path) : path_(path) {
    const OpenedFile file = OpenRegularFile(path);
    handle_ = file.handle;
    size_ = file.size;
}

FileSource::~FileSource() { CloseFile(handle_); }

int FileSource::Descriptor() const { return KernelCopyDescriptor(handle_); }

void FileSource::ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) const {
    RequireRange(offset, into.size());
    std::size_t done = 0;
    while (done < into.size()) {
        const std::size_t got = ReadSomeAt(handle_, offset + done, into.subspan(done), path_);
        if (got == 0) throw ShorterFile(path_, offset + done);
        done += got;
    }
}

UninitialisedBytes ReadWholeFile(const std::string& path) {
    const FileSource file(path);
    if (file.Size() > kMaxWholeFileBytes) {
        throw PellitonError("cannot read " + path + ": " + std::to_string(file.Size()) + " bytes is more than " +
                            std::to_string(kMaxWholeFileBytes) + ", too large for this tool");
    }
    UninitialisedBytes bytes(static_cast<std::size_t>(file.Size()));
    file.ReadAt(0, bytes);
    return bytes;
}

}  // namespace pelliton
