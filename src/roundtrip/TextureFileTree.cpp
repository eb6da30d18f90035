#include "roundtrip/TextureFileTree.h"

#include <algorithm>
#include <system_error>
#include <vector>

#include "common/PellitonError.h"
#include "common/Utf8Path.h"
#include "rsh/Latin1.h"

namespace pelliton {

namespace {

bool IsTextureFile(const std::filesystem::path& path) {
    const std::string extension = FoldLatin1Case(PathToUtf8(path.extension()));
    return extension == ".rsh" || extension == ".rtx" || extension == ".wtp";
}

}  // namespace

TextureFileTree FindTextureFiles(const std::string& root) {
    const std::filesystem::path rootPath = PathFromUtf8(root);
    std::error_code error;
    if (!std::filesystem::is_directory(rootPath, error)) {
        throw PellitonError(root + ": " + (std::filesystem::exists(rootPath, error) ? "not a folder" : "no such folder"));
    }
    TextureFileTree tree;
    std::vector<std::filesystem::path> folders{rootPath};
    while (!folders.empty()) {
        const std::filesystem::path folder = std::move(folders.back());
        folders.pop_back();
        std::error_code readError;
        for (std::filesystem::directory_iterator entry(folder, readError), end; !readError && entry != end;
             entry.increment(readError)) {
            std::error_code typeError;
            const bool linked = entry->is_symlink(typeError);
            if (!linked && entry->is_directory(typeError)) {
                folders.push_back(entry->path());
            } else if (entry->is_regular_file(typeError) && IsTextureFile(entry->path())) {
                tree.files.push_back(
                    {entry->path().lexically_relative(rootPath), PathToUtf8(entry->path().generic_u8string())});
            }
        }
        if (readError) tree.problems.push_back(PathToUtf8(folder) + ": cannot read the folder: " + readError.message());
    }
    std::sort(tree.files.begin(), tree.files.end(), [](const TextureFile& one, const TextureFile& other) {
        return one.relative.generic_u8string() < other.relative.generic_u8string();
    });
    return tree;
}

std::filesystem::path PicturesFolderOf(const std::filesystem::path& picturesRoot, const std::filesystem::path& relative) {
    return picturesRoot / relative.parent_path() / relative.stem();
}

}  // namespace pelliton
