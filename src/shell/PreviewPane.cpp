// The preview pane: a dark, sunken square that later shows the rendered texture in its contents rect.
#include "PreviewPane.h"

#include <QPalette>

namespace pelliton {

namespace {

constexpr int kBorderWidth = 2;

}  // namespace

PreviewPane::PreviewPane(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(kBorderWidth);
    QPalette dark = palette();
    dark.setColor(QPalette::Window, Qt::black);
    setPalette(dark);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);  // it takes its turn in the focus order
}

}  // namespace pelliton
