// The application's icon, drawn in code so the main and About windows share it without image files.
#pragma once

#include <QIcon>

namespace pelliton {

// A 32 by 32 picture of a tiled texture.
QIcon AppIcon();

}  // namespace pelliton
