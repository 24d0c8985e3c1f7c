#pragma once

#include <QLabel>
#include <QMouseEvent>

// A label that works as a link: the hand pointer while the mouse is over it, and a click
// (press and release with the left button over it) reported by cliccata().
class EtichettaLink : public QLabel {
    Q_OBJECT

public:
    explicit EtichettaLink(const QString& testo, QWidget* parent = nullptr)
        : QLabel(testo, parent) {
        setCursor(Qt::PointingHandCursor);
    }

signals:
    void cliccata();

protected:
    void mouseReleaseEvent(QMouseEvent* evento) override {
        QLabel::mouseReleaseEvent(evento);
        if (evento->button() == Qt::LeftButton && rect().contains(evento->position().toPoint()))
            emit cliccata();
    }
};
