#pragma once

#include <QAbstractItemView>
#include <QComboBox>
#include <QTest>

// Chooses text from the box's list with the mouse, as the operator does.
inline void ChooseInList(QComboBox& box, const QString& text) {
    box.showPopup();
    QAbstractItemView* list = box.view();
    const QModelIndex item = list->model()->index(box.findText(text), 0);
    list->scrollTo(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(item).center());
}
