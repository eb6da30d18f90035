// Names an export after its source: the file name less its last four characters, plus the extension.
#pragma once

#include <string>
#include <string_view>

namespace pelliton {

// sourcePath and the result are UTF-8; characters are counted, not bytes. Both "\" and "/"
// separate folders, so Windows and POSIX paths give the same name. Throws PellitonError when
// the file name has fewer than four characters or the stem more than 32767.
std::string ExportFileName(std::string_view sourcePath, std::string_view extension);

}  // namespace pelliton
