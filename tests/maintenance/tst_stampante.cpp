// The "Stampante" group of the "Utilità" tab: the printer chosen in the dialog becomes the
// current one and is stored in the registry, it comes back at start-up, a failed store is
// reported and the choice still holds, and the report host prints on the current printer.
// No printer is installed here: the available printers are "PDF" alone, and a name that
// is not installed stands for a printer the program cannot find.

#include "PaginaUtilita.h"
#include "ProgrammaProva.h"
#include "Registro.h"
#include "ReportHost.h"
#include "Stampanti.h"

#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {
using Tipo = Messaggi::Tipo;

const QString CHIAVE = QStringLiteral("SOFTWARE\\Brevantoria\\Dolvera");
// A printer name known to no machine here: the current printer before a choice.
const QString ALTRA = QStringLiteral("Stampante ufficio");
const QString PRN01 =
    QStringLiteral("ERRORE #PRN01: Impossibile memorizzare la stampante per usi futuri.");

QByteArray contenuto(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void riscrivi(const QString& file, const QByteArray& testo) {
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(testo);
}
} // namespace

class TestStampante : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgrammaProva> m_p;
    std::unique_ptr<PaginaUtilita> m_pagina;

    QString registro() const { return m_p->cartella().fileRegistro(); }
    QString memorizzata() const {
        QString valore;
        Registro(registro()).leggi(CHIAVE, "Printer", valore);
        return valore;
    }
    QString etichetta() const { return m_pagina->findChild<QLabel*>("lblPrinter")->text(); }
    bool nelLog(const QString& riga) const {
        const QStringList righe = m_p->cartella().righeLog();
        return std::any_of(righe.begin(), righe.end(),
                           [&](const QString& r) { return r.trimmed() == riga; });
    }

    // Clicks "Imposta stampante"; the dialog must list the available printers with
    // `selezionata` selected (empty: none), then `scegli` is clicked in the list (unless
    // empty) and the dialog is closed with the button `chiudi`. The box `errore` follows
    // when not empty.
    void imposta(const QString& selezionata, const QString& scegli, const QString& chiudi,
                 const QString& errore = {}) {
        m_p->messaggi().attendiDialogo([=](QDialog& d) {
            [&] {
                QCOMPARE(d.objectName(), "dlgPrinter");
                QCOMPARE(d.windowTitle(), "Dolvera - Imposta stampante");
                auto* elenco = d.findChild<QListWidget*>("lstStampanti");
                QStringList nomi;
                for (int i = 0; i < elenco->count(); ++i)
                    nomi << elenco->item(i)->text();
                QCOMPARE(nomi, utStampantiDisponibili());
                const auto scelte = elenco->selectedItems();
                QCOMPARE(scelte.isEmpty() ? QString() : scelte.first()->text(), selezionata);
                d.show();
                if (!scegli.isEmpty()) {
                    QListWidgetItem* voce = elenco->findItems(scegli, Qt::MatchExactly).first();
                    QTest::mouseClick(elenco->viewport(), Qt::LeftButton, {},
                                      elenco->visualItemRect(voce).center());
                }
                QTest::mouseClick(d.findChild<QPushButton*>(chiudi), Qt::LeftButton);
            }();
            return d.result();
        });
        if (!errore.isEmpty())
            m_p->messaggi().attendi(Tipo::Errore, errore);
        QTest::mouseClick(m_pagina->findChild<QPushButton*>("btnImpostaStampante"), Qt::LeftButton);
    }

private slots:
    void init() {
        m_p = std::make_unique<ProgrammaProva>();
        // The current printer belongs to the process: every case starts from the default.
        utImpostaStampanteCorrente({});
        m_pagina = std::make_unique<PaginaUtilita>(m_p->messaggi());
        m_pagina->impostaPercorsi(m_p->main().percorsi());
        m_pagina->show();
    }
    void cleanup() {
        SENZA_PROBLEMI(*m_p);
        QFile::setPermissions(registro(), QFile::ReadOwner | QFile::WriteOwner);
        m_pagina.reset();
        m_p.reset();
        utImpostaStampanteCorrente({});
    }

    void ripristino_data() {
        QTest::addColumn<QString>("valore"); // stored "Printer"; null: no such value
        QTest::addColumn<QString>("prima");  // current printer before; empty: the default
        QTest::addColumn<QString>("attesa");
        QTest::newRow("primo avvio, nessun valore") << QString() << ""
                                                    << "PDF";
        QTest::newRow("-1 e' la predefinita") << "-1" << ALTRA << "PDF";
        QTest::newRow("stampante installata") << "PDF" << ALTRA << "PDF";
        QTest::newRow("maiuscole diverse") << "pdf" << ALTRA << ALTRA;
        QTest::newRow("non piu' installata") << "Stampante dismessa" << ALTRA << ALTRA;
    }
    void ripristino() {
        // Guards the start-up choice: "-1" and an exact name select, any other name keeps
        // the current printer, and the label shows the printer selected.
        QFETCH(QString, valore);
        QFETCH(QString, prima);
        QFETCH(QString, attesa);
        if (valore.isNull()) {
            QByteArray testo = contenuto(registro());
            testo.replace("\"Printer\"=\"-1\"\r\n", "");
            riscrivi(registro(), testo);
            QVERIFY(!Registro(registro()).leggi(CHIAVE, "Printer", valore));
        } else {
            QVERIFY(Registro(registro()).scrivi(CHIAVE, "Printer", valore));
        }
        utImpostaStampanteCorrente(prima);
        m_pagina->RipristinaStampante();
        QCOMPARE(utStampanteCorrente(), attesa);
        QCOMPARE(etichetta(), attesa);
    }

    void sceltaMemorizzataERipristinata() {
        // Guards that OK makes the chosen printer current, shown and stored, that it comes
        // back at the next start, and that the dialog then opens on it.
        utImpostaStampanteCorrente(ALTRA);
        imposta("", "PDF", "btnOK");
        QCOMPARE(utStampanteCorrente(), "PDF");
        QCOMPARE(etichetta(), "PDF");
        QCOMPARE(memorizzata(), "PDF");
        QVERIFY(nelLog("TfrmMain::btnImpostaStampanteClick {"));
        QVERIFY(nelLog("Stampante registrata"));

        utImpostaStampanteCorrente(ALTRA);
        m_pagina->RipristinaStampante();
        QCOMPARE(utStampanteCorrente(), "PDF");
        imposta("PDF", "", "btnOK");
        QCOMPARE(utStampanteCorrente(), "PDF");
    }

    void annullaRiscriveLaStampanteCorrente() {
        // Guards that Annulla keeps the current printer, and that the steps after the dialog
        // still run: the label and the registry show the current printer.
        QVERIFY(Registro(registro()).scrivi(CHIAVE, "Printer", "Stampante dismessa"));
        utImpostaStampanteCorrente(ALTRA);
        imposta("", "PDF", "btnAnnulla");
        QCOMPARE(utStampanteCorrente(), ALTRA);
        QCOMPARE(etichetta(), ALTRA);
        QCOMPARE(memorizzata(), ALTRA);
    }

    void memorizzazioneFallita_data() {
        QTest::addColumn<bool>("solaLettura"); // else the key is missing from the file
        QTest::newRow("registro in sola lettura") << true;
        QTest::newRow("chiave mancante") << false;
    }
    void memorizzazioneFallita() {
        // Guards #PRN01 (box and log) when the store fails, the registry left as it was, and
        // the chosen printer current for the rest of the run.
        QFETCH(bool, solaLettura);
        if (solaLettura) {
            QVERIFY(QFile::setPermissions(registro(), QFile::ReadOwner | QFile::ReadGroup));
        } else {
            QByteArray testo = contenuto(registro());
            const qsizetype inizio = testo.indexOf("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Brevantoria");
            QVERIFY(inizio > 0);
            testo.truncate(inizio);
            riscrivi(registro(), testo);
        }
        const QByteArray prima = contenuto(registro());
        utImpostaStampanteCorrente(ALTRA);
        imposta("", "PDF", "btnOK", PRN01);
        QVERIFY(nelLog(PRN01));
        QVERIFY(!nelLog("Stampante registrata"));
        QCOMPARE(contenuto(registro()), prima);
        QCOMPARE(utStampanteCorrente(), "PDF");
        QCOMPARE(etichetta(), "PDF");
    }

    void reportHostSullaStampanteCorrente() {
        // Guards that the program names its current printer to the report host (a stand-in
        // host writes what it received)...
        const QString ricevuta = m_p->cartella().file("stampante.txt");
        const QString finto = m_p->cartella().file("host-finto");
        riscrivi(finto,
                 "#!/bin/sh\nprintf '%s' \"$DOLVERA_STAMPANTE\" > '" + ricevuta.toUtf8() + "'\n");
        QFile::setPermissions(finto, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        Percorsi percorsi = m_p->main().percorsi();
        percorsi.AccessExe = finto;
        utImpostaStampanteCorrente(ALTRA);
        QVERIFY(ReportHost(percorsi).EseguiMacro("mac_StampaElencoArticoli"));
        QCOMPARE(contenuto(ricevuta), ALTRA.toUtf8());

        // ... and that the real host prints on it whatever the registry holds, falling back
        // when it is not installed.
        QVERIFY(Registro(registro()).scrivi(CHIAVE, "Printer", "Stampante dismessa"));
        for (const QString& corrente : {QStringLiteral("PDF"), ALTRA}) {
            utImpostaStampanteCorrente(corrente);
            const int stampe = m_p->stampe().size();
            QString motivo;
            QVERIFY2(
                ReportHost(m_p->main().percorsi()).EseguiMacro("mac_StampaElencoArticoli", &motivo),
                qPrintable(motivo));
            QCOMPARE(m_p->stampe().size(), stampe + 1);
        }
    }
};

QTEST_MAIN(TestStampante)
#include "tst_stampante.moc"
