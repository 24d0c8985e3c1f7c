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
const QString CHIAVE = QStringLiteral("SOFTWARE\\Brevantoria\\Dolvera");
// A printer name known to no machine here: the current printer before a choice.
const QString ALTRA = QStringLiteral("Stampante ufficio");
const QString PRN01 =
    QStringLiteral("ERRORE #PRN01: Impossibile memorizzare la stampante per usi futuri.");

QByteArray contenuto(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class TestStampante : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgrammaProva> m_p;

    QString registro() const { return m_p->cartella().fileRegistro(); }
    QString memorizzata() const {
        QString valore;
        Registro(registro()).leggi(CHIAVE, "Printer", valore);
        return valore;
    }
    // The current printer and the one the tab shows.
    QString corrente() const {
        return utStampanteCorrente() + '|' + m_p->trova<QLabel>("lblPrinter")->text();
    }
    // What the program does at its next start.
    void riavvio() { m_p->trova<PaginaUtilita>("tsUtilita")->RipristinaStampante(); }

    // Clicks "Imposta stampante"; the dialog must open with `selezionata` selected (empty:
    // none), then `scegli` is selected (unless empty) and the button `chiudi` clicked. The
    // box `errore` follows when not empty.
    void imposta(const QString& selezionata, const QString& scegli, const QString& chiudi,
                 const QString& errore = {}) {
        QString aperta = QStringLiteral("nessun dialogo");
        m_p->messaggi().attendiDialogo([=, &aperta](QDialog& d) {
            d.show();
            auto* elenco = d.findChild<QListWidget*>("lstStampanti");
            const auto scelte = elenco->selectedItems();
            aperta = scelte.isEmpty() ? QString() : scelte.first()->text();
            if (!scegli.isEmpty())
                elenco->findItems(scegli, Qt::MatchExactly).first()->setSelected(true);
            QTest::mouseClick(d.findChild<QPushButton*>(chiudi), Qt::LeftButton);
            return d.result();
        });
        if (!errore.isEmpty())
            m_p->messaggi().attendi(Messaggi::Tipo::Errore, errore);
        QVERIFY(m_p->clicca("btnImpostaStampante"));
        QCOMPARE(aperta, selezionata);
    }

private slots:
    void init() {
        // The current printer belongs to the process: every case starts from another one,
        // which the first show replaces with the one stored, "-1", the default printer.
        utImpostaStampanteCorrente(ALTRA);
        m_p = std::make_unique<ProgrammaProva>();
        QVERIFY(m_p->vaiScheda("tsUtilita"));
        QCOMPARE(corrente(), "PDF|PDF");
    }
    void cleanup() {
        SENZA_PROBLEMI(*m_p);
        m_p.reset();
        utImpostaStampanteCorrente({});
    }

    // Guards the start-up choice: an exact name selects, any other or none keeps the current.
    void ripristino() {
        for (const auto& [valore, attesa] : {std::pair<QString, QString>("PDF", "PDF"),
                                             {"pdf", ALTRA},
                                             {"Stampante dismessa", ALTRA},
                                             {"", ALTRA}}) {
            QVERIFY(Registro(registro()).scrivi(CHIAVE, "Printer", valore));
            utImpostaStampanteCorrente(ALTRA);
            riavvio();
            QCOMPARE(corrente(), attesa + '|' + attesa);
        }
    }

    // Guards OK and Annulla (current, shown, stored) and #PRN01 on a failed store.
    void scelta() {
        imposta("PDF", "", "btnAnnulla");
        utImpostaStampanteCorrente(ALTRA);
        imposta("", "PDF", "btnAnnulla");
        QCOMPARE(corrente(), ALTRA + '|' + ALTRA);
        QCOMPARE(memorizzata(), ALTRA);
        imposta("", "PDF", "btnOK");
        QCOMPARE(corrente(), "PDF|PDF");
        QCOMPARE(memorizzata(), "PDF");

        QVERIFY(QFile::setPermissions(registro(), QFile::ReadOwner | QFile::ReadGroup));
        const QByteArray prima = contenuto(registro());
        utImpostaStampanteCorrente(ALTRA);
        imposta("", "PDF", "btnOK", PRN01);
        QCOMPARE(contenuto(registro()), prima);
        QCOMPARE(corrente(), "PDF|PDF");
        const QString log = m_p->cartella().righeLog().join('\n');
        QVERIFY(log.contains(PRN01));
        QCOMPARE(log.count("Stampante registrata"), 3);
    }

    // Guards the current printer passed to the report host, which falls back when it is
    // not installed.
    void reportHostSullaStampanteCorrente() {
        const QString ricevuta = m_p->cartella().file("stampante.txt");
        const QString finto = m_p->cartella().file("host-finto");
        QFile script(finto);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nprintf '%s' \"$DOLVERA_STAMPANTE\" > '" + ricevuta.toUtf8() +
                     "'\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        Percorsi percorsi = m_p->main().percorsi();
        percorsi.AccessExe = finto;
        utImpostaStampanteCorrente(ALTRA);
        QVERIFY(ReportHost(percorsi).EseguiMacro("mac_StampaElencoArticoli"));
        QCOMPARE(contenuto(ricevuta), ALTRA.toUtf8());

        QVERIFY(ReportHost(m_p->main().percorsi()).EseguiMacro("mac_StampaElencoArticoli"));
        QCOMPARE(m_p->stampe().size(), 1);
    }
};

QTEST_MAIN(TestStampante)
#include "tst_stampante.moc"
