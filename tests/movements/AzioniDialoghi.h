#pragma once

// Scripted answers to the movement dialogs, queued on the program's message service.

#include "ProgrammaProva.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

namespace azioni {

inline void scegli(QComboBox* combo, const QString& testo) {
    const int i = combo->findText(testo);
    combo->setCurrentIndex(i);
    emit combo->activated(i);
}

// Clicks the button captioned `testo` (without its "&") and returns the dialog's result.
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

// The article picker: the first article matching `cerca`, quantity `qta`.
inline void articolo(ProgrammaProva& p, const QString& cerca, const QString& qta) {
    p.messaggi().attendiDialogo([=](QDialog& d) {
        d.show();
        scrivi(d, "edtSelArt_Descr", cerca);
        scrivi(d, "edtSelArt_Qta", qta);
        return premi(d, "Ok");
    });
}

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

inline void causale(ProgrammaProva& p, const QString& causale) {
    p.messaggi().attendiDialogo([=](QDialog& d) {
        d.show();
        d.findChild<QComboBox*>("cbxCausale")->setCurrentText(causale);
        return premi(d, "Ok");
    });
}

// The beneficiary picker: surname `cognome`, or "Anonimo" when empty.
inline void nominativo(ProgrammaProva& p, const QString& cognome) {
    p.messaggi().attendiDialogo([=, &p](QDialog& d) {
        d.show();
        if (cognome.isEmpty())
            return premi(d, "Anonimo");
        p.dati().tblNominativi.localizza("cognome", cognome);
        return premi(d, "Ok");
    });
}

inline void annulla(ProgrammaProva& p) {
    p.messaggi().attendiDialogo([](QDialog& d) {
        d.show();
        return premi(d, "Annulla");
    });
}

} // namespace azioni
