// The two texts that carry the version, built from its numbers (UTF-8).
#include "ui/VersionedTexts.h"

#include "common/Version.h"

namespace pelliton::ui {

std::string MainWindowTitle() { return "Quibbo's Dawn of War Pelliton / Extractor - " + VersionNumber(); }

std::string AboutVersionLine() { return "Version " + VersionNumber() + " (18-Oct-2004)"; }

}  // namespace pelliton::ui
