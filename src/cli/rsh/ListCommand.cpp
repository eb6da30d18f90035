// pelliton-rsh list: the chunk tree of a file, its textures and its team colour pattern.
#include "cli/rsh/Commands.h"
#include "common/PellitonError.h"
#include "rsh/RshFile.h"
#include "rsh/TreeText.h"
#include "teamcolour/PatternText.h"

namespace pelliton {

namespace {

void ListPattern(const RshFile& file, std::ostream& out) {
    try {
        if (const std::optional<TeamPattern> pattern = FindTeamPattern(file.tree, file.source)) {
            const std::vector<std::string> lines = DescribePattern(*pattern);
            // What the pattern holds is indented under its first line.
            for (const std::string& line : lines) out << (&line == &lines.front() ? "  " : "    ") << line << '\n';
        }
    } catch (const PellitonError& error) {
        out << "  team colour pattern: unusable: " << error.what() << '\n';
    }
}

}  // namespace

void ListRshFile(const std::string& path, std::ostream& out) {
    const RshFile file(path);
    for (const std::string& line : TreeLines(path, file.source.Size(), file.tree)) out << line << '\n';
    for (const TreeTexture& texture : file.textures) {
        out << "  texture " << EscapeControls(texture.name) << ": "
            << (texture.problem.empty() ? DescribeTexture(texture.attributes) : "unusable: " + texture.problem) << '\n';
    }
    ListPattern(file, out);
}

}  // namespace pelliton
