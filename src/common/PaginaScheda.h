#pragma once

#include <QWidget>

// A tab page of the main window, told when it becomes the active page and when it stops
// being it.
class PaginaScheda : public QWidget {
    Q_OBJECT

public:
    using QWidget::QWidget;

    virtual void Mostra() = 0;
    virtual void Nascondi() = 0;
};
