#include "TfrmAttendere.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

namespace {
const QColor SFONDO(240, 228, 178);
const QColor BLU(2, 102, 202);
} // namespace

TfrmAttendere::TfrmAttendere(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmAttendere"));
    setWindowTitle(QStringLiteral("Dolvera"));
    setFixedSize(312, 113);
    QPalette p = palette();
    p.setColor(QPalette::Window, SFONDO);
    setPalette(p);
    setAutoFillBackground(true);

    auto* etichetta = new QLabel(QStringLiteral("Attendere, elaborazione in corso..."), this);
    etichetta->setObjectName(QStringLiteral("lblAttendere"));
    QFont f = etichetta->font();
    f.setBold(true);
    f.setPixelSize(13);
    etichetta->setFont(f);
    QPalette pe = etichetta->palette();
    pe.setColor(QPalette::WindowText, BLU);
    etichetta->setPalette(pe);
    etichetta->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(etichetta);
}

void TfrmAttendere::Mostra(const QList<QWidget*>& finestre) {
    if (const QScreen* schermo = QGuiApplication::primaryScreen())
        move(schermo->geometry().center() - rect().center());
    show();
    raise();
    repaint();
    m_disabilitate.clear();
    for (QWidget* w : finestre) {
        if (w) {
            w->setEnabled(false);
            m_disabilitate << w;
        }
    }
}

void TfrmAttendere::Nascondi() {
    hide();
    for (const QPointer<QWidget>& w : m_disabilitate) {
        if (w)
            w->setEnabled(true);
    }
    m_disabilitate.clear();
}

void TfrmAttendere::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter p(this);
    QPen penna(BLU, 3);
    penna.setJoinStyle(Qt::MiterJoin);
    p.setPen(penna);
    p.drawRect(QRect(4, 3, 304, 107));
}
