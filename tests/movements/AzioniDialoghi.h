#pragma once

// Scripted answers to the dialogs of the movement tabs: each function queues, on the
// program's message service, the steps a user takes in the next dialog.

#include "ProgrammaProva.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

namespace azioni {

// Chooses the item `testo` of a drop-down as the user does.
inline void scegli(QComboBox* combo, const QString& testo) {
    const int i = combo->findText(testo);
    combo->setCurrentIndex(i);
    emit combo->activated(i);
}

// Clicks the dialog's button captioned `testo` (as shown, without the "&" of its Alt key)
// and returns the dialog's result.
inline int premi(QDialog& d, const QString& testo) {
    for (auto* b : d.findChildren<QPushButton*>()) {
        if (QString(b->text()).remove(QLatin1Char('&')) == testo) {
            QTest::mouseClick(b, Qt::LeftButton);
            return d.result();
        }
    }
    qWarning("Nessun pulsante \"%s\" in %s", qPrintable(testo), qPrintable(d.objectName()));
    return QDialog::Rejected;
}

inline void scrivi(QDialog& d, const QString& nome, const QString& testo) {
    auto* box = d.findChild<QLineEdit*>(nome);
    QVERIFY(box);
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, testo);
}

// The article picker: searches `cerca`, takes the first article found with quantity `qta`.
inline void articolo(ProgrammaProva& p, const QString& cerca, const QString& qta) {
    p.messaggi().attendiDialogo([=](QDialog& d) {
        d.show();
        scrivi(d, "edtSelArt_Descr", cerca);
        scrivi(d, "edtSelArt_Qta", qta);
        return premi(d, "Ok");
    });
}

// The new-receipt dialog: supplier `fornitore`, date `data`, document number `numero`.
inline void nuovoCarico(ProgrammaProva& p, const QString& fornitore, const QDate& data,
                        const QString& numero) {
    p.messaggi().attendiDialogo([=](QDialog& d) {
        d.show();
        auto* fornitori = d.findChild<QComboBox*>("edtNewCar_forId");
        fornitori->setCurrentIndex(fornitori->findText(fornitore));
        d.findChild<QDateEdit*>("edtNewCar_data")->setDate(data);
        scrivi(d, "edtNewCar_docNum", numero);
        return premi(d, "Ok");
    });
}

// The reason dialog: the reason described `causale`.
inline void causale(ProgrammaProva& p, const QString& causale) {
    p.messaggi().attendiDialogo([=](QDialog& d) {
        d.show();
        d.findChild<QComboBox*>("cbxCausale")->setCurrentText(causale);
        return premi(d, "Ok");
    });
}

// The beneficiary picker: the beneficiary whose surname is `cognome`, or "Anonimo" when
// `cognome` is empty.
inline void nominativo(ProgrammaProva& p, const QString& cognome) {
    p.messaggi().attendiDialogo([=, &p](QDialog& d) {
        d.show();
        if (cognome.isEmpty())
            return premi(d, "Anonimo");
        p.dati().tblNominativi.localizza("cognome", cognome);
        return premi(d, "Ok");
    });
}

// Any dialog, closed with Annulla.
inline void annulla(ProgrammaProva& p) {
    p.messaggi().attendiDialogo([](QDialog& d) {
        d.show();
        return premi(d, "Annulla");
    });
}

} // namespace azioni
