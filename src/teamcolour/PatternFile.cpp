#include "teamcolour/PatternFile.h"

#include <optional>

#include "common/FileSource.h"
#include "common/PellitonError.h"
#include "rsh/RshFile.h"

namespace pelliton {

PatternFile::PatternFile(const std::string& path) {
    try {
        bytes = ReadWholeFile(path);
        source = MemorySource(bytes);
        tree = ReadChunkTree(source);
        std::optional<TeamPattern> found = FindTeamPattern(tree, source);
        if (!found) throw PellitonError("it holds no team colour pattern (no FOLDTPAT)");
        pattern = *found;
    } catch (const PellitonError& error) {
        throw PellitonError(path + ": " + error.what());
    }
}

bool HoldsTeamPattern(const std::string& path) {
    const RshFile file(path);
    try {
        return FindTeamPattern(file.tree, file.source).has_value();
    } catch (const PellitonError&) {
        return true;  // a pattern, if not a well-formed one: opening it says what is wrong
    }
}

}  // namespace pelliton
