#pragma once

#include <QWidget>

// The document's view, the main frame's client area. It has nothing to do with the link.
class CRftuneView : public QWidget {
    Q_OBJECT
public:
    explicit CRftuneView(QWidget* parent = nullptr);
};
