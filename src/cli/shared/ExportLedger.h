// Which FILE of a batch run wrote each export, so that no export of the run silently replaces another.
#pragma once

#include <filesystem>
#include <map>
#include <mutex>
#include <string>
#include <utility>

#include "export/ExportWriter.h"

namespace pelliton {

class ExportLedger {
public:
    // write puts each export on disk; by default as the window does.
    explicit ExportLedger(ExportWriter write = WriteFileAtomically) : write_(std::move(write)) {}

    // The writer for the exports of source: it writes through the ledger's writer, but refuses, with
    // a PellitonError naming the earlier FILE, a target that an earlier FILE of the run wrote. Writers
    // of one ledger may run on several threads at once.
    ExportWriter WriterFor(const std::string& source);

private:
    ExportWriter write_;
    std::mutex mutex_;                                         // guards writtenBy_
    std::map<std::filesystem::path, std::string> writtenBy_;  // target, as the file system resolves it
};

}  // namespace pelliton
