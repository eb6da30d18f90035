// Which FILE of a batch run wrote each export, so that no export of the run silently replaces another.
#pragma once

#include <filesystem>
#include <map>
#include <string>

#include "export/ExportWriter.h"

namespace pelliton {

class ExportLedger {
public:
    // The writer for the exports of source: it writes as the window does, but refuses, with a
    // PellitonError naming the earlier FILE, a target that an earlier FILE of the run wrote.
    ExportWriter WriterFor(const std::string& source);

private:
    std::map<std::filesystem::path, std::string> writtenBy_;  // target, as the file system resolves it
};

}  // namespace pelliton
