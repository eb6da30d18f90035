// The two texts that carry the version, built from its numbers (UTF-8).
#pragma once

#include <string>

namespace pelliton::ui {

// "Quibbo's Dawn of War Pelliton / Extractor - 1.0.0"
std::string MainWindowTitle();

// "Version 1.0.0 (18-Oct-2004)"
std::string AboutVersionLine();

}  // namespace pelliton::ui
