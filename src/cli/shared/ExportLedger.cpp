#include "cli/shared/ExportLedger.h"

#include <system_error>

#include "common/PellitonError.h"
#include "common/Utf8Path.h"

namespace pelliton {

namespace {

// Two spellings of one file ("out/../out/a.DDS", a link to the folder) give one key.
std::filesystem::path Resolved(const std::filesystem::path& target) {
    std::error_code error;
    std::filesystem::path resolved = std::filesystem::weakly_canonical(target, error);
    return error ? target.lexically_normal() : resolved;
}

}  // namespace

ExportWriter ExportLedger::WriterFor(const std::string& source) {
    return [this, source](const std::filesystem::path& target, const std::function<void(OutputFile&)>& writeContent) {
        std::filesystem::path key = Resolved(target);
        if (const auto earlier = writtenBy_.find(key); earlier != writtenBy_.end()) {
            throw PellitonError(PathToUtf8(target.filename()) + " would replace the export of " + earlier->second +
                                "; not written");
        }
        write_(target, writeContent);
        writtenBy_.emplace(std::move(key), source);
    };
}

}  // namespace pelliton
