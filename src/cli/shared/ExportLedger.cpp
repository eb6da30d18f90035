#include "cli/shared/ExportLedger.h"

#include <memory>
#include <system_error>

#include "common/PellitonError.h"
#include "common/Utf8Path.h"

namespace pelliton {

namespace {

// Two spellings of one file ("out/../out/a.DDS", a link to the folder) give one key. A run writes
// many exports into one folder, so the folder's resolution is kept for the next.
class TargetResolver {
public:
    std::filesystem::path Resolved(const std::filesystem::path& target) {
        std::error_code error;
        if (std::filesystem::is_symlink(std::filesystem::symlink_status(target, error))) return Canonical(target);
        if (target.parent_path() != folder_) {
            folder_ = target.parent_path();
            resolvedFolder_ = Canonical(folder_);
        }
        return resolvedFolder_ / target.filename();
    }

private:
    static std::filesystem::path Canonical(const std::filesystem::path& path) {
        std::error_code error;
        std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
        return error ? path.lexically_normal() : resolved;
    }

    std::filesystem::path folder_;
    std::filesystem::path resolvedFolder_;
};

}  // namespace

ExportWriter ExportLedger::WriterFor(const std::string& source) {
    return [this, source, resolver = std::make_shared<TargetResolver>()](
               const std::filesystem::path& target, const std::function<void(OutputFile&)>& writeContent) {
        const std::filesystem::path key = resolver->Resolved(target);
        {
            // Taken before the write, so that two threads never write one target.
            const std::lock_guard lock(mutex_);
            if (const auto [earlier, added] = writtenBy_.emplace(key, source); !added) {
                throw PellitonError(PathToUtf8(target.filename()) + " would replace the export of " +
                                    earlier->second + "; not written");
            }
        }
        try {
            write_(target, writeContent);
        } catch (...) {
            const std::lock_guard lock(mutex_);
            writtenBy_.erase(key);
            throw;
        }
    };
}

}  // namespace pelliton
