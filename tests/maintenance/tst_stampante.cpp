// The "Stampante" group of the "Utilità" tab. Only "PDF" is installed here: any other name
// stands for a printer the program cannot find.

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
    // Clicks "Imposta stampante", expects `selezionata` selected, selects `scegli`, clicks
    // `chiudi`; the box `errore` follows when not empty.
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
        // The first show replaces the process's printer with the stored "-1", the default.
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

    // At start an exact name selects, any other or none keeps the current; then OK and
    // Annulla (current, shown, stored) and #PRN01 on a failed store.
    void ripristinoEScelta() {
        for (const auto& [valore, attesa] : {std::pair<QString, QString>("PDF", "PDF"),
                                             {"pdf", ALTRA},
                                             {"Stampante dismessa", ALTRA},
                                             {"", ALTRA}}) {
            QVERIFY(Registro(registro()).scrivi(CHIAVE, "Printer", valore));
            utImpostaStampanteCorrente(ALTRA);
            m_p->trova<PaginaUtilita>("tsUtilita")->RipristinaStampante();
            QCOMPARE(corrente(), attesa + '|' + attesa);
        }
        QVERIFY(Registro(registro()).scrivi(CHIAVE, "Printer", "PDF"));
        utImpostaStampanteCorrente("PDF");
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
        QVERIFY(m_p->cartella().righeLog().join('\n').contains(PRN01));
    }

    // The report host gets the current printer, and falls back when it is not installed.
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
