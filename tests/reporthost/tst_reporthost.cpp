// The report host as the program runs it: the copy of dolvera-report in a temporary
// program folder, started with "<database>" /x <macro>, printing to the PDF printer.

#include "CartellaProgramma.h"

#include <QDir>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTest>

namespace {

struct Esito {
    int codice = -1;
    QString errore;
    QStringList nuoviPdf;
};

QStringList pdfStampati(const CartellaProgramma& cartella) {
    return QDir(cartella.file(QStringLiteral("Stampe")))
        .entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
}

Esito esegui(const CartellaProgramma& cartella, const QStringList& argomenti) {
    const QStringList prima = pdfStampati(cartella);
    QProcess p;
    p.start(cartella.file(QStringLiteral("dolvera-report")), argomenti);
    Esito esito;
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return esito;
    esito.codice = p.exitCode();
    esito.errore = QString::fromUtf8(p.readAllStandardError());
    for (const QString& f : pdfStampati(cartella)) {
        if (!prima.contains(f))
            esito.nuoviPdf << cartella.file(QStringLiteral("Stampe/") + f);
    }
    return esito;
}

Esito stampa(const CartellaProgramma& cartella, const QString& macro) {
    return esegui(cartella, {cartella.fileDb(), QStringLiteral("/x"), macro});
}

// The text of a PDF (or of one of its pages), laid out as printed.
QString testoPdf(const QString& file, int pagina = 0) {
    QStringList argomenti{QStringLiteral("-layout")};
    if (pagina > 0)
        argomenti << QStringLiteral("-f") << QString::number(pagina) << QStringLiteral("-l")
                  << QString::number(pagina);
    argomenti << file << QStringLiteral("-");
    QProcess p;
    p.start(QStringLiteral("pdftotext"), argomenti);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

int pagine(const QString& testo) {
    return static_cast<int>(testo.count(QLatin1Char('\f')));
}

// True when one line of the text holds every part, in this order.
bool rigaCon(const QString& testo, const QStringList& parti) {
    for (const QString& riga : testo.split(QLatin1Char('\n'))) {
        qsizetype da = 0;
        bool tutte = true;
        for (const QString& parte : parti) {
            da = riga.indexOf(parte, da);
            if (da < 0) {
                tutte = false;
                break;
            }
            da += parte.size();
        }
        if (tutte)
            return true;
    }
    return false;
}

void sql(const CartellaProgramma& cartella, const QStringList& istruzioni) {
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("test"));
        db.setDatabaseName(cartella.fileDb());
        QVERIFY(db.open());
        QSqlQuery q(db);
        for (const QString& s : istruzioni)
            QVERIFY2(q.exec(s), qPrintable(s + QStringLiteral(": ") + q.lastError().text()));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("test"));
}

// A few rows of every kind, with apostrophes and accents; March 2024 holds the movements.
void riempi(const CartellaProgramma& cartella) {
    sql(cartella,
        {QStringLiteral(
             "INSERT INTO articoli (ID, codint, descr, catmerc_id, agea, um_id, giacenza, "
             "scortamin) VALUES (1, 'P001', 'Pasta di semola all''uovo', 1, 1, 1, 100, 10), "
             "(2, 'L002', 'Latte UHT parzialmente scremato', 3, 1, 3, 50.5, 0), "
             "(3, 'B003', 'Biscotti frollini', 8, 0, 5, 20, 5)"),
         QStringLiteral(
             "INSERT INTO nominativi (ID, cognome, nome, via, cap, citta, prov, telefono1, "
             "numFamiliari, dettFamiliari) VALUES (1, 'D''Angelo', 'Niccolò', 'Via Sant''Anna 3', "
             "'06012', 'Città di Castello', 'PG', '333 1234567', 4, 'Moglie e tre figli'), "
             "(2, 'Rossi', 'Maria', 'Via Verdi 10', '00100', 'Roma', 'RM', NULL, 2, NULL)"),
         QStringLiteral(
             "INSERT INTO fornitori (ID, codfor, ragsoc, via, citta, piva, riferimento1) VALUES "
             "(1, '0', 'Cooperativa L''Ortolano', 'Via dei Campi 5', 'Bologna', '01234567890', "
             "'Gianni Bianchi'), (2, '0', 'AGEA Roma', 'Via Palestro 81', 'Roma', NULL, NULL)"),
         QStringLiteral("INSERT INTO carichi_mast (ID, data, nrDocumento, fornitore_id) VALUES "
                        "(1, '2024-03-04', 'DDT-45', 2)"),
         QStringLiteral("INSERT INTO carichi_dett (master_id, articoli_id, qta) VALUES "
                        "(1, 1, 40), (1, 2, 12.5)"),
         QStringLiteral("INSERT INTO scarichi_mast (ID, data, nominativi_id, nrDocumento, "
                        "causali_id, nrBeneficiati) VALUES (1, '2024-03-05', 1, 1, 1, 4), "
                        "(2, '2024-03-07', 0, 2, 4, 30)"),
         QStringLiteral("INSERT INTO scarichi_dett (master_id, articoli_id, qta) VALUES "
                        "(1, 1, 2), (1, 2, 1.5), (2, 1, 5)"),
         QStringLiteral("INSERT INTO cons_mast (ID, descr) VALUES (1, 'Pacco famiglia numerosa')"),
         QStringLiteral("INSERT INTO cons_dett (modelli_id, articoli_id, qta) VALUES "
                        "(1, 1, 2), (1, 2, 3)"),
         // As the program writes them: quoted text, the month as a short date.
         QStringLiteral("UPDATE parametri SET Pivot_mese = '01/03/2024'")});
}

} // namespace

class TestReportHost : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void macro_data();
    void macro();
    void intestazioniSuOgniPagina();
    void errori_data();
    void errori();
    void stampanteSconosciuta();

private:
    std::unique_ptr<CartellaProgramma> m_cartella;
};

void TestReportHost::initTestCase() {
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(),
             "pdftotext (poppler-utils) is needed");
    m_cartella = std::make_unique<CartellaProgramma>();
    riempi(*m_cartella);
}

void TestReportHost::macro_data() {
    QTest::addColumn<QString>("macro");
    QTest::addColumn<QString>("parametro"); // "column = 'value'" written first, if any
    QTest::addColumn<QList<QStringList>>("righe");
    QTest::addColumn<QStringList>("assenti");

    QTest::newRow("elenco articoli")
        << "mac_StampaElencoArticoli" << QString()
        << QList<QStringList>{{"Codice", "Descrizione", "Categoria", "U.M.", "AGEA", "Giac."},
                              {"B003", "Biscotti frollini", "Biscotti", "confezioni", "No", "20"},
                              // opening stock 100, +40 received, -2 -5 handed out
                              {"P001", "Pasta di semola all'uovo", "Pasta", "kg", "Sì", "100",
                               "133"}}
        << QStringList();
    QTest::newRow("scheda articolo")
        << "mac_StampaSchedaArticolo"
        << "Stampa_Articolo_ID = '2'"
        << QList<QStringList>{{"Codice", "L002"},
                              {"Descrizione", "Latte UHT parzialmente scremato"},
                              {"Categoria merceologica", "Latte e derivati"},
                              {"Unità di misura", "litri"},
                              {"Prodotto AGEA", "Sì"},
                              {"Giacenza iniziale", "50,5"},
                              {"Giacenza attuale", "61,5"}}
        << QStringList{"Pasta"};
    QTest::newRow("elenco nominativi")
        << "mac_StampaElencoNominativi" << QString()
        << QList<QStringList>{{"Cognome", "Nome", "Indirizzo", "Telefono", "Familiari"},
                              {"D'Angelo", "Niccolò", "Via Sant'Anna 3, 06012 Città di Castello",
                               "333 1234567", "4"},
                              {"Rossi", "Maria", "Via Verdi 10, 00100 Roma (RM)", "2"}}
        << QStringList();
    QTest::newRow("scheda nominativo")
        << "mac_StampaSchedaNominativo"
        << "Stampa_Nominativo_ID = '1'"
        << QList<QStringList>{{"Cognome", "D'Angelo"},        {"Nome", "Niccolò"},
                              {"Città", "Città di Castello"}, {"Provincia", "PG"},
                              {"Numero familiari", "4"},      {"Familiari", "Moglie e tre figli"}}
        << QStringList{"Rossi"};
    QTest::newRow("elenco fornitori")
        << "mac_StampaElencoFornitori" << QString()
        << QList<QStringList>{{"Ragione sociale", "Indirizzo", "Telefono", "E-mail"},
                              {"AGEA Roma", "Via Palestro 81, Roma"},
                              {"Cooperativa L'Ortolano", "Via dei Campi 5, Bologna", "01234567890"}}
        << QStringList();
    QTest::newRow("scheda fornitore")
        << "mac_StampaSchedaFornitore"
        << "Stampa_Fornitore_ID = '1'"
        << QList<QStringList>{{"Ragione sociale", "Cooperativa L'Ortolano"},
                              {"Partita IVA", "01234567890"},
                              {"Referente 1", "Gianni Bianchi"}}
        << QStringList{"Palestro"};
    QTest::newRow("scheda carico")
        << "mac_StampaSchedaCarico"
        << "Stampa_Carico_ID = '1'"
        << QList<QStringList>{{"Documento n.", "DDT-45"},
                              {"Data", "04/03/2024"},
                              {"Fornitore", "AGEA Roma"},
                              {"Codice", "Articolo", "AGEA", "U.M.", "Quantità"},
                              {"P001", "Pasta di semola all'uovo", "Sì", "kg", "40"},
                              {"L002", "Latte UHT parzialmente scremato", "litri", "12,5"}}
        << QStringList();
    QTest::newRow("scheda scarico")
        << "mac_StampaSchedaScarico"
        << "Stampa_Scarico_ID = '1'"
        << QList<QStringList>{{"Documento n.", "1"},
                              {"Data", "05/03/2024"},
                              {"Causale", "Consegna a indigenti"},
                              {"Beneficiario", "D'Angelo Niccolò"},
                              {"Persone servite", "4"},
                              {"Pasta di semola all'uovo", "kg", "2"},
                              {"Latte UHT parzialmente scremato", "litri", "1,5"}}
        << QStringList{"Mensa"};
    QTest::newRow("modello di consegna")
        << "mac_StampaModCons"
        << "Stampa_ModCons_id = '1'"
        << QList<QStringList>{{"Modello", "Pacco famiglia numerosa"},
                              {"Pasta di semola all'uovo", "kg", "2"},
                              {"Latte UHT parzialmente scremato", "litri", "3"}}
        << QStringList{"Biscotti"};
    QTest::newRow("registro di un articolo")
        << "mac_StampaRegistroAgeaNoCopertina"
        << "Regagea_Articolo_ID = '2'"
        << QList<QStringList>{{"Periodo dal 01/03/2024 al 31/03/2024"},
                              {"Latte UHT parzialmente scremato"},
                              {"Data", "N. doc.", "Carico", "Scarico", "Giacenza"},
                              {"01/03/2024", "RIPORTO", "50,5"},
                              {"04/03/2024", "DDT-45", "AGEA Roma", "12,5", "63"},
                              {"05/03/2024", "1", "4 indigenti", "1,5", "61,5", "4"}}
        << QStringList{"Pasta", "STRUTTURA CARITATIVA"};
    QTest::newRow("registro di tutti gli articoli")
        << "mac_StampaRegistroAgea"
        << "Regagea_Articolo_ID = '0'"
        << QList<QStringList>{{"STRUTTURA CARITATIVA"},
                              {"REGISTRO DI CARICO E SCARICO"},
                              {"Tutti i prodotti AGEA"},
                              {"Latte UHT parzialmente scremato"},
                              {"Pasta di semola all'uovo"},
                              {"01/03/2024", "RIPORTO", "100"},
                              {"07/03/2024", "2", "Mensa", "5", "133", "30"}}
        << QStringList{"Biscotti"};
}

void TestReportHost::macro() {
    QFETCH(QString, macro);
    QFETCH(QString, parametro);
    QFETCH(QList<QStringList>, righe);
    QFETCH(QStringList, assenti);
    if (!parametro.isEmpty())
        sql(*m_cartella, {QStringLiteral("UPDATE parametri SET ") + parametro});

    const Esito esito = stampa(*m_cartella, macro);
    QVERIFY2(esito.codice == 0, qPrintable(esito.errore));
    QCOMPARE(esito.nuoviPdf.size(), 1);
    const QString testo = testoPdf(esito.nuoviPdf.first());
    for (const QString& t : {QStringLiteral("Associazione Banco Alimentare Esempio"),
                             QStringLiteral("Stampato il "), QStringLiteral("Pagina 1 di ")})
        QVERIFY2(testo.contains(t), qPrintable(t));
    for (const QStringList& riga : righe)
        QVERIFY2(rigaCon(testo, riga), qPrintable(riga.join(" | ") + "\n" + testo));
    for (const QString& t : assenti)
        QVERIFY2(!testo.contains(t), qPrintable(t));
}

// A list longer than a page: every page has the heading of the page and of the table, and
// every row is printed once, none lost or repeated at a page break.
void TestReportHost::intestazioniSuOgniPagina() {
    CartellaProgramma cartella;
    QStringList righe;
    for (int i = 1; i <= 130; ++i)
        righe << QStringLiteral("('Cognome%1', 'Nome%1', 'Via %1', 'Città', %2)")
                     .arg(i, 3, 10, QLatin1Char('0'))
                     .arg(i % 7);
    sql(cartella, {QStringLiteral("INSERT INTO nominativi (cognome, nome, via, citta, "
                                  "numFamiliari) VALUES ") +
                   righe.join(QLatin1Char(','))});

    const Esito esito = stampa(cartella, QStringLiteral("mac_StampaElencoNominativi"));
    QVERIFY2(esito.codice == 0, qPrintable(esito.errore));
    QCOMPARE(esito.nuoviPdf.size(), 1);
    const QString tutto = testoPdf(esito.nuoviPdf.first());
    const int n = pagine(tutto);
    QVERIFY(n >= 3);
    for (int p = 1; p <= n; ++p) {
        const QString testo = testoPdf(esito.nuoviPdf.first(), p);
        QVERIFY(testo.contains(QStringLiteral("Associazione Banco Alimentare Esempio")));
        QVERIFY(testo.contains(QStringLiteral("Elenco nominativi")));
        QVERIFY(rigaCon(testo, {QStringLiteral("Cognome"), QStringLiteral("Nome"),
                                QStringLiteral("Indirizzo"), QStringLiteral("Familiari")}));
        QVERIFY(testo.contains(QStringLiteral("Pagina %1 di %2").arg(p).arg(n)));
    }
    for (int i = 1; i <= 130; ++i) {
        const QString cognome = QStringLiteral("Cognome%1").arg(i, 3, 10, QLatin1Char('0'));
        QCOMPARE(tutto.count(cognome), 1);
    }
}

void TestReportHost::errori_data() {
    QTest::addColumn<QStringList>("argomenti"); // "@DB@" is the database of the folder
    QTest::addColumn<QString>("prima");         // SQL run before, if any
    QTest::addColumn<QString>("messaggio");

    const QString db = QStringLiteral("@DB@");
    const QString x = QStringLiteral("/x");
    QTest::newRow("nessun argomento") << QStringList() << QString() << "Uso: dolvera-report";
    QTest::newRow("opzione errata")
        << QStringList{db, "/y", "mac_StampaElencoArticoli"} << QString() << "Uso: dolvera-report";
    QTest::newRow("argomento in piu'") << QStringList{db, x, "mac_StampaElencoArticoli", "altro"}
                                       << QString() << "Uso: dolvera-report";
    QTest::newRow("macro sconosciuta")
        << QStringList{db, x, "mac_StampaTutto"} << QString() << "Macro sconosciuta";
    QTest::newRow("database mancante")
        << QStringList{"@CARTELLA@Manca.mdb", x, "mac_StampaElencoArticoli"} << QString()
        << "Impossibile trovare il database";
    QTest::newRow("record mancante")
        << QStringList{db, x, "mac_StampaSchedaArticolo"}
        << "UPDATE parametri SET Stampa_Articolo_ID = '999'"
        << "Il record da stampare non esiste (Stampa_Articolo_ID = 999)";
    QTest::newRow("parametro non numerico") << QStringList{db, x, "mac_StampaSchedaCarico"}
                                            << "UPDATE parametri SET Stampa_Carico_ID = 'abc'"
                                            << "Stampa_Carico_ID";
    QTest::newRow("mese del registro mancante")
        << QStringList{db, x, "mac_StampaRegistroAgea"} << "UPDATE parametri SET Pivot_mese = NULL"
        << "Il parametro Pivot_mese non è impostato";
    QTest::newRow("database non valido")
        << QStringList{db, x, "mac_StampaElencoArticoli"} << "DROP TABLE articoli"
        << "Errore del database";
}

void TestReportHost::errori() {
    QFETCH(QStringList, argomenti);
    QFETCH(QString, prima);
    QFETCH(QString, messaggio);
    CartellaProgramma cartella;
    if (!prima.isEmpty())
        sql(cartella, {prima});
    for (QString& a : argomenti) {
        a.replace(QStringLiteral("@DB@"), cartella.fileDb());
        a.replace(QStringLiteral("@CARTELLA@"), cartella.percorso());
    }

    const Esito esito = esegui(cartella, argomenti);
    QVERIFY(esito.codice > 0);
    QVERIFY2(esito.errore.contains(messaggio), qPrintable(esito.errore));
    QVERIFY(esito.nuoviPdf.isEmpty());
    QVERIFY(pdfStampati(cartella).isEmpty());
}

// A printer stored in the registry that is no longer installed: the default prints.
void TestReportHost::stampanteSconosciuta() {
    CartellaProgramma cartella;
    QFile reg(cartella.fileRegistro());
    QVERIFY(reg.open(QIODevice::ReadOnly));
    QByteArray testo = reg.readAll();
    reg.close();
    QVERIFY(testo.contains("\"Printer\"=\"-1\""));
    testo.replace("\"Printer\"=\"-1\"", "\"Printer\"=\"Stampante dismessa\"");
    QVERIFY(reg.open(QIODevice::WriteOnly | QIODevice::Truncate));
    reg.write(testo);
    reg.close();

    const Esito esito = stampa(cartella, QStringLiteral("mac_StampaElencoFornitori"));
    QVERIFY2(esito.codice == 0, qPrintable(esito.errore));
    QCOMPARE(esito.nuoviPdf.size(), 1);
    QVERIFY(testoPdf(esito.nuoviPdf.first()).contains(QStringLiteral("Elenco fornitori")));
}

QTEST_GUILESS_MAIN(TestReportHost)
#include "tst_reporthost.moc"
