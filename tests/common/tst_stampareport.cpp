// Printing a card through the report host: question, parameter, command line, PDF left.

#include "Common.h"
#include "ConnessioneProva.h"
#include "ReportHost.h"
#include "Utilitylibrary.h"

#include <QDir>
#include <QSqlQuery>
#include <QTest>

class TestStampaReport : public QObject {
    Q_OBJECT

    std::unique_ptr<ConnessioneProva> m_db;
    MessaggiPreparati m_messaggi;

    Percorsi percorsi() const {
        Percorsi p = Percorsi::daCartella(m_db->cartella().percorso());
        p.AccessExe = m_db->cartella().file("dolvera-report");
        return p;
    }
    QStringList stampe() const {
        return QDir(m_db->cartella().file("Stampe")).entryList({"*.pdf"}, QDir::Files);
    }

private slots:
    void init() {
        m_db = std::make_unique<ConnessioneProva>();
        m_messaggi.azzera();
        QSqlQuery q(QSqlDatabase::database(NOME_CONNESSIONE));
        QVERIFY(q.exec("INSERT INTO articoli (ID, codint, descr, agea, giacenza) "
                       "VALUES (7, 'OL1', 'Olio d''oliva', 1, 12.5)"));
    }
    void cleanup() {
        m_db.reset();
        QVERIFY2(m_messaggi.problemi().isEmpty(), qPrintable(m_messaggi.problemi().join('\n')));
    }

    // The command line as the host expects it; a missing host is reported with its path.
    void rigaDiComandoEHostMancante() {
        QCOMPARE(ReportHost(percorsi()).RigaComando("mac_StampaElencoArticoli"),
                 "\"" + m_db->cartella().file("dolvera-report") + "\" \"" +
                     m_db->cartella().fileDb() + "\"   /x mac_StampaElencoArticoli");
        Percorsi p = percorsi();
        p.AccessExe = m_db->cartella().file("non-esiste");
        QString motivo;
        QVERIFY(!ReportHost(p).EseguiMacro("mac_StampaElencoArticoli", &motivo));
        QVERIFY2(motivo.startsWith("impossibile avviare " + p.AccessExe), qPrintable(motivo));
    }

    // Cancelling the question prints and writes nothing; OK prints the card.
    void schedaStampataDopoLaDomanda() {
        m_messaggi.attendi(Messaggi::Tipo::OkAnnulla, "Premere OK quando la stampante è pronta.",
                           false);
        ReportHost host(percorsi());
        QVERIFY(!StampaConReportHost(m_messaggi, host, "mac_StampaSchedaArticolo",
                                     "Stampa_Articolo_ID", "7"));
        QVERIFY(stampe().isEmpty());
        QVERIFY(m_db->cartella().righeLog().isEmpty());

        m_messaggi.attendi(Messaggi::Tipo::OkAnnulla, "Premere OK quando la stampante è pronta.");
        QVERIFY(StampaConReportHost(m_messaggi, host, "mac_StampaSchedaArticolo",
                                    "Stampa_Articolo_ID", "7"));
        QCOMPARE(stampe().size(), 1);
        QCOMPARE(m_db->cartella().righeLog(),
                 (QStringList{"Querifica { sql=\"UPDATE parametri SET Stampa_Articolo_ID = '7'\" }",
                              "DbValore { sql=\"SELECT Stampa_Articolo_ID FROM parametri\", "
                              "result=\"7\"  }"}));
    }

    // A host that ends with an error is not a print: the user reads why.
    void erroreDelReportMostrato() {
        m_messaggi.attendi(Messaggi::Tipo::OkAnnulla, "Premere OK quando la stampante è pronta.");
        m_messaggi.attendi(Messaggi::Tipo::Errore, "Stampa non riuscita: Il record da stampare "
                                                   "non esiste (Stampa_Articolo_ID = 99).");
        QVERIFY(!StampaConReportHost(m_messaggi, ReportHost(percorsi()), "mac_StampaSchedaArticolo",
                                     "Stampa_Articolo_ID", "99"));
        QVERIFY(stampe().isEmpty());
    }
};

QTEST_MAIN(TestStampaReport)
#include "tst_stampareport.moc"
