#include "export/MemoryOutput.h"

#include <algorithm>
#include <cstddef>
#include <span>

namespace pelliton {

namespace {

class MemoryOutput final : public OutputFile {
public:
    explicit MemoryOutput(std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}

    void Write(std::span<const std::byte> bytes) override {
        const auto* first = reinterpret_cast<const std::uint8_t*>(bytes.data());
        bytes_.insert(bytes_.end(), first, first + bytes.size());
    }

    void Write(const ByteRange& content) override {
        if (content.source == nullptr) {
            bytes_.insert(bytes_.end(), content.bytes.begin(), content.bytes.end());
            return;
        }
        // The range was checked against its source when the content was put together; a source that
        // is shorter now throws from ReadAt.
        const std::size_t at = bytes_.size();
        bytes_.resize(at + static_cast<std::size_t>(content.length));
        content.source->ReadAt(content.offset, std::span(bytes_).subspan(at));
    }

    void Reserve(std::uint64_t bytes) override { bytes_.reserve(bytes_.size() + static_cast<std::size_t>(bytes)); }

private:
    std::vector<std::uint8_t>& bytes_;
};

}  // namespace

std::vector<std::uint8_t> ContentInMemory(const std::function<void(OutputFile&)>& writeContent) {
    std::vector<std::uint8_t> bytes;
    MemoryOutput output(bytes);
    writeContent(output);
    return bytes;
}

ExportWriter WriterIntoMemory(std::vector<std::uint8_t>& into) {
    return [&into](const std::filesystem::path& /*target*/, const std::function<void(OutputFile&)>& writeContent) {
        into = ContentInMemory(writeContent);
    };
}

}  // namespace pelliton
