// pelliton-rsh replace: edited pictures back into an RSH file, every other byte kept.
#include "cli/rsh/Commands.h"
#include "roundtrip/ReplaceTextures.h"
#include "rsh/TreeText.h"

namespace pelliton {

void ReplaceRshTextures(const std::string& rshPath, const std::vector<std::string>& images, const std::string& outPath,
                        std::ostream& out) {
    const std::vector<ReplacedTexture> replaced = ReplaceTextures(rshPath, images, outPath);
    for (std::size_t i = 0; i < images.size(); ++i) {
        out << outPath << ": texture " << EscapeControls(replaced[i].name) << " from " << images[i] << ": "
            << DescribeTexture(replaced[i].attributes) << '\n';
    }
}

}  // namespace pelliton
