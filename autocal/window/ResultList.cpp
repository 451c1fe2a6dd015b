#include "autocal/window/ResultList.h"

#include <QHeaderView>

#include <algorithm>

ResultList::ResultList(const std::vector<Column>& columns, QStringList rowLabels, QWidget* parent)
    : QTreeWidget(parent), rowLabels_(std::move(rowLabels)) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    setUniformRowHeights(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setColumnCount(static_cast<int>(columns.size()));
    QStringList captions;
    for (const Column& column : columns)
        captions << column.caption;
    setHeaderLabels(captions);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    header()->setDefaultAlignment(Qt::AlignCenter);
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        // The widths were chosen for a smaller font; a caption is never cut.
        const int width =
            std::max(columns[static_cast<std::size_t>(i)].width, header()->sectionSizeHint(i));
        header()->setSectionResizeMode(i, QHeaderView::Fixed);
        setColumnWidth(i, width);
        width_ += width;
    }
    ResetRows();
}

void ResultList::ResetRows() {
    clear();
    for (const QString& label : rowLabels_) {
        auto* item = new QTreeWidgetItem(this, QStringList{label});
        for (int column = 0; column < columnCount(); ++column)
            item->setTextAlignment(column, Qt::AlignCenter);
    }
}

void ResultList::SetRow(int row, const QStringList& values) {
    QTreeWidgetItem* item = topLevelItem(row);
    if (!item)
        return;
    for (int i = 0; i < values.size() && i + 1 < columnCount(); ++i)
        item->setText(i + 1, values[i]);
}

QStringList ResultList::Row(int row) const {
    QStringList cells;
    if (const QTreeWidgetItem* item = topLevelItem(row)) {
        for (int column = 0; column < columnCount(); ++column)
            cells << item->text(column);
    }
    return cells;
}

QSize ResultList::sizeHint() const {
    const int rowHeight = rowLabels_.isEmpty() ? 0 : sizeHintForRow(0);
    const int frame = 2 * frameWidth();
    return {width_ + frame, header()->sizeHint().height() +
                                rowHeight * static_cast<int>(rowLabels_.size()) + frame};
}
