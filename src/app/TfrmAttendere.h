#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

// The wait window shown while the first-show repairs run: it disables the windows behind it
// while it is shown and enables them again when it hides.
class TfrmAttendere : public QWidget {
    Q_OBJECT

public:
    explicit TfrmAttendere(QWidget* parent = nullptr);
    // Shows itself at once (painted before the caller goes on) and disables `finestre`.
    void Mostra(const QList<QWidget*>& finestre);
    // Hides itself and enables the windows it disabled.
    void Nascondi();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<QPointer<QWidget>> m_disabilitate;
};
