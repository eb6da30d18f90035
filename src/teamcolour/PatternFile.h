// A WTP file read whole with its team colour pattern, as every tool that works on one opens it.
#pragma once

#include <string>

#include "common/ByteSource.h"
#include "common/UninitialisedAllocator.h"
#include "rsh/ChunkTree.h"
#include "teamcolour/TeamPattern.h"

namespace pelliton {

struct PatternFile {
    // Held whole: the pictures are read again at every repaint, and writing over the file then
    // needs no handle on it, which Windows would refuse.
    UninitialisedBytes bytes;
    MemorySource source{bytes};
    ChunkTree tree;
    TeamPattern pattern;  // points into tree

    // Reads path (UTF-8). Throws PellitonError prefixed with path when the file cannot be read as a
    // chunk tree or holds no well-formed pattern. Not copyable: the pattern points into the tree.
    explicit PatternFile(const std::string& path);
    PatternFile(const PatternFile&) = delete;
    PatternFile& operator=(const PatternFile&) = delete;
};

// Whether the chunk tree of the file at path (UTF-8) holds a FOLDTPAT, well-formed or not. Throws
// PellitonError when the file cannot be read as a chunk tree.
bool HoldsTeamPattern(const std::string& path);

}  // namespace pelliton
