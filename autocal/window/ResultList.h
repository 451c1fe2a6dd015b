#pragma once

#include <QStringList>
#include <QTreeWidget>

#include <vector>

// One of the calibration window's result lists: a report-style list with centred columns of
// fixed widths (at least their captions' widths) and a first column of row labels. Its size hint
// shows every row without scrolling.
class ResultList : public QTreeWidget {
    Q_OBJECT
public:
    struct Column {
        QString caption;
        int width;
    };

    ResultList(const std::vector<Column>& columns, QStringList rowLabels,
               QWidget* parent = nullptr);

    // Deletes every row and inserts the row labels again; the columns stay.
    void ResetRows();
    // Writes values into row's cells after its label.
    void SetRow(int row, const QStringList& values);
    QStringList Row(int row) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

private:
    QStringList rowLabels_;
    int width_ = 0;
};
