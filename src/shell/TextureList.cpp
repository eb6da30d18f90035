// The list of the open file's textures: name, format, size and MIP levels, one row each.
#include "shell/TextureList.h"

#include <QHeaderView>
#include <QSignalBlocker>

#include "ui/FileDialogTexts.h"
#include "ui/qt/PlainMessage.h"

namespace pelliton {

namespace {

enum Column { kName, kFormat, kSize, kMipLevels, kColumnCount };

QTreeWidgetItem* MakeItem(const TextureRow& row) {
    auto* item = new QTreeWidgetItem(QStringList{
        FromUtf8(row.name), FromUtf8(row.format), QStringLiteral("%1 x %2").arg(row.width).arg(row.height),
        QString::number(row.mipLevels)});
    item->setTextAlignment(kMipLevels, Qt::AlignRight | Qt::AlignVCenter);
    item->setToolTip(kName, FromUtf8(row.name));
    if (!row.problem.empty()) {
        // The row stays selectable, so that the log and status bar can say more about it.
        for (int column = 0; column < kColumnCount; ++column) {
            item->setToolTip(column, FromUtf8(row.problem));
            item->setForeground(column, QPalette().brush(QPalette::Disabled, QPalette::Text));
        }
    }
    return item;
}

}  // namespace

TextureList::TextureList(QWidget* parent) : QTreeWidget(parent) {
    setColumnCount(kColumnCount);
    // The list is narrow at the designed size: the name takes what the short columns leave, and the
    // header and each name say in full what they cut.
    QStringList labels;
    for (const std::string_view label : ui::kTextureListColumns) labels << FromUtf8(label);
    setHeaderLabels(labels);
    headerItem()->setToolTip(kMipLevels, FromUtf8(ui::kMipLevelsColumnInFull));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAllColumnsShowFocus(true);
    // Names differ at their ends (_spec, _reflection), which a cut name keeps.
    setTextElideMode(Qt::ElideLeft);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(kName, QHeaderView::Stretch);
    for (const int column : {kFormat, kSize, kMipLevels}) {
        header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        if (current != nullptr) emit rowChosen(static_cast<std::size_t>(indexOfTopLevelItem(current)));
    });
}

void TextureList::ShowRows(const std::vector<TextureRow>& rows, std::optional<std::size_t> selected) {
    const QSignalBlocker quiet(this);
    clear();
    QList<QTreeWidgetItem*> items;
    for (const TextureRow& row : rows) items << MakeItem(row);
    addTopLevelItems(items);
    if (selected && *selected < rows.size()) setCurrentItem(topLevelItem(static_cast<int>(*selected)));
}

}  // namespace pelliton
