#include "export/ContentComparison.h"

#include <algorithm>
#include <vector>

#include "common/FileSource.h"
#include "common/Utf8Path.h"

namespace pelliton {

namespace {

// Ends a writer's run at the first difference: the rest of its content, which may take long to
// make (a picture encoded), cannot change the answer.
struct ContentDiffers {};

// Takes content as a writer gives it and compares it with the file, a slice at a time.
class ComparingOutput final : public OutputFile {
public:
    explicit ComparingOutput(const ByteSource& file) : file_(file) {}

    void Write(std::span<const std::byte> bytes) override {
        while (!bytes.empty()) {
            const auto piece = bytes.first(static_cast<std::size_t>(std::min<std::uint64_t>(bytes.size(), kSliceBytes)));
            const auto expected = std::as_bytes(NextOfFile(piece.size()));
            if (!std::equal(piece.begin(), piece.end(), expected.begin())) throw ContentDiffers{};
            bytes = bytes.subspan(piece.size());
        }
    }

    void Write(const ByteRange& content) override {
        if (content.source == nullptr) {
            Write(std::as_bytes(content.bytes));
            return;
        }
        std::vector<std::uint8_t> piece;
        for (std::uint64_t done = 0; done < content.length;) {
            piece.resize(static_cast<std::size_t>(std::min<std::uint64_t>(content.length - done, kSliceBytes)));
            content.source->ReadAt(content.offset + done, piece);
            Write(std::as_bytes(std::span(piece)));
            done += piece.size();
        }
    }

    bool Same() const { return position_ == file_.Size(); }

private:
    static constexpr std::uint64_t kSliceBytes = 1 << 20;

    // The file's next count bytes; a file that ends before them holds other content.
    std::span<const std::uint8_t> NextOfFile(std::size_t count) {
        if (count > file_.Size() - position_) throw ContentDiffers{};
        slice_.resize(count);
        file_.ReadAt(position_, slice_);
        position_ += count;
        return slice_;
    }

    const ByteSource& file_;
    std::uint64_t position_ = 0;
    std::vector<std::uint8_t> slice_;
};

}  // namespace

bool FileHoldsContent(const std::filesystem::path& path, const std::function<void(OutputFile&)>& writeContent) {
    const FileSource file(PathToUtf8(path));
    ComparingOutput comparison(file);
    try {
        writeContent(comparison);
    } catch (const ContentDiffers&) {
        return false;
    }
    return comparison.Same();
}

}  // namespace pelliton
