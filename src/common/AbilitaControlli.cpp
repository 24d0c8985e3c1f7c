#include "AbilitaControlli.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

void AbilitaControlli(QWidget* controllo, bool abilita, const QColor& coloreDisabilitato) {
    // Grids, memos and drop-down lists are built from child widgets of their own: they are
    // data controls, not containers.
    if (auto* griglia = qobject_cast<QAbstractItemView*>(controllo)) {
        griglia->setEnabled(abilita);
        QPalette p = griglia->palette();
        p.setColor(QPalette::Base, abilita ? QColor(Qt::white) : coloreDisabilitato);
        griglia->setPalette(p);
        return;
    }
    if (qobject_cast<QLineEdit*>(controllo) || qobject_cast<QComboBox*>(controllo) ||
        qobject_cast<QAbstractButton*>(controllo) || qobject_cast<QPlainTextEdit*>(controllo) ||
        qobject_cast<QTextEdit*>(controllo) || qobject_cast<QAbstractSpinBox*>(controllo)) {
        controllo->setEnabled(abilita);
        return;
    }
    const QList<QWidget*> figli =
        controllo->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget* figlio : figli)
        AbilitaControlli(figlio, abilita, coloreDisabilitato);
}
