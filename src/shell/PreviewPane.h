// The preview pane: a dark, sunken square that later shows the rendered texture in its contents rect.
#pragma once

#include <QFrame>

namespace pelliton {

class PreviewPane : public QFrame {
    Q_OBJECT

public:
    explicit PreviewPane(QWidget* parent = nullptr);
};

}  // namespace pelliton
