// The list of the open file's textures: name, format, size and MIP levels, one row each.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include <QTreeWidget>

#include "session/WindowSession.h"

namespace pelliton {

class TextureList : public QTreeWidget {
    Q_OBJECT

public:
    explicit TextureList(QWidget* parent = nullptr);

    // Shows these rows with that one selected; rowChosen is not emitted for it.
    void ShowRows(const std::vector<TextureRow>& rows, std::optional<std::size_t> selected);

signals:
    // The user chose another row.
    void rowChosen(std::size_t row);
};

}  // namespace pelliton
