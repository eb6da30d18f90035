// Writes a file so that it either appears whole or not at all: an existing file of the name stays
// untouched until the new content is complete, and a failure leaves nothing behind.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>

#include "common/ByteSource.h"
#include "common/PellitonError.h"

namespace pelliton {

// Where content goes: the temporary file of a write, or a comparison with a file already there.
class OutputFile {
public:
    virtual ~OutputFile() = default;
    virtual void Write(std::span<const std::byte> bytes) = 0;  // throws PellitonError
    // Bytes in memory are written; a range of a source is copied, by the kernel where it can.
    virtual void Write(const ByteRange& content) = 0;
    // Tells the file system how long the file will be, so that it places the blocks at once rather
    // than as each page arrives. Only advice: the file is as long as what is written, and where the
    // system cannot, nothing changes.
    virtual void Reserve(std::uint64_t /*bytes*/) {}
};

// Runs writeContent on a temporary file in the target's folder (a short name of fixed length,
// whatever the target's), then puts it in the target's place: a reader sees the old file or the new
// one, never a mix. Any error, thrown by the writes or by writeContent itself, removes the
// temporary file and reaches the caller; the target is then exactly as it was. So does Ctrl+C or a
// termination signal while the content is written.
// The rules that keep a modder's work, each a PellitonError naming the cause: a target that is a
// folder or read-only is refused before anything is written; a symbolic link is written through, so
// that the file it names takes the content and the link stays; a replaced file keeps its
// permissions; a folder the temporary file cannot be made in is named as not writable.
// For files made from others, which a new run makes again: where the system can, the names are
// swapped and the old file removed. On ext4 that takes a third of the time of a rename over a large
// file, which orders the new file's data on disk before the rename.
void WriteFileAtomically(const std::filesystem::path& target, const std::function<void(OutputFile&)>& writeContent);

// What WriteFileUnlessDifferent throws for a file that holds other content.
class ExistingFileDiffers : public PellitonError {
public:
    using PellitonError::PellitonError;
};

// The same for an export the modder may have edited since: a file already at the target is left as
// it is, not even its time changed, when its content is the new content, and refused with
// ExistingFileDiffers when it differs.
void WriteFileUnlessDifferent(const std::filesystem::path& target,
                              const std::function<void(OutputFile&)>& writeContent);

// The same for files that exist nowhere else: a rename over the target, so that after a power
// failure the file system shows the old file or the whole new one.
void WriteOnlyCopyAtomically(const std::filesystem::path& target,
                             const std::function<void(OutputFile&)>& writeContent);

// Refuses, with a PellitonError, an output that is the input file itself under any name: the same
// path, a hard link or a symbolic link. Callers check before they write anything.
void RefuseInputAsOutput(const std::filesystem::path& output, const std::string& input);

}  // namespace pelliton
