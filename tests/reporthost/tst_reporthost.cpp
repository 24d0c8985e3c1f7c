// The report host as the program runs it: the copy of dolvera-report in a temporary
// program folder, started with "<database>" /x <macro>, printing to the PDF printer.

#include "CartellaProgramma.h"
#include "Registro.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
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

// The text of a PDF laid out as printed, pages ended by form feeds.
QString testoPdf(const QString& file) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// True when one line of the text holds every part, in this order.
bool rigaCon(const QString& testo, const QStringList& parti) {
    QStringList modello;
    for (const QString& parte : parti)
        modello << QRegularExpression::escape(parte);
    return QRegularExpression(modello.join(QStringLiteral(".*"))).match(testo).hasMatch();
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
        {"INSERT INTO articoli (ID, codint, descr, catmerc_id, agea, um_id, giacenza, scortamin) "
         "VALUES (1, 'P001', 'Pasta di semola all''uovo', 1, 1, 1, 100, 10), "
         "(2, 'L002', 'Latte UHT parzialmente scremato', 3, 1, 3, 50.5, 0), "
         "(3, 'B003', 'Biscotti frollini', 8, 0, 5, 20, 5)",
         // A birth date not given is "0", as the program writes it.
         "INSERT INTO nominativi (ID, cognome, nome, via, cap, citta, prov, telefono1, "
         "numFamiliari, dettFamiliari, natoIl) VALUES (1, 'D''Angelo', 'Niccolò', "
         "'Via Sant''Anna 3', '06012', 'Città di Castello', 'PG', '333 1234567', 4, "
         "'Moglie e tre figli', '12/05/1970'), "
         "(2, 'Rossi', 'Maria', 'Via Verdi 10', '00100', 'Roma', 'RM', NULL, 2, NULL, '0')",
         "INSERT INTO fornitori (ID, codfor, ragsoc, via, citta, piva, riferimento1) VALUES "
         "(1, '0', 'Cooperativa L''Ortolano', 'Via dei Campi 5', 'Bologna', '01234567890', "
         "'Gianni Bianchi'), (2, '0', 'AGEA Roma', 'Via Palestro 81', 'Roma', '97181460581', NULL)",
         "INSERT INTO carichi_mast (ID, data, nrDocumento, fornitore_id) VALUES "
         "(1, '2024-03-04', 'DDT 24/045', 2)",
         "INSERT INTO carichi_dett (master_id, articoli_id, qta) VALUES (1, 1, 40), (1, 2, 12.5)",
         "INSERT INTO scarichi_mast (ID, data, nominativi_id, nrDocumento, causali_id, "
         "nrBeneficiati) VALUES (1, '2024-03-05', 1, 1, 1, 4), (2, '2024-03-07', 0, 2, 4, 30)",
         "INSERT INTO scarichi_dett (master_id, articoli_id, qta) VALUES "
         "(1, 1, 2), (1, 2, 1.5), (2, 1, 5)",
         "INSERT INTO cons_mast (ID, descr) VALUES (1, 'Pacco famiglia numerosa')",
         "INSERT INTO cons_dett (modelli_id, articoli_id, qta) VALUES (1, 1, 2), (1, 2, 3)",
         // As the program writes them: quoted text, the month as a short date.
         "UPDATE parametri SET Pivot_mese = '01/03/2024'"});
}

} // namespace

class TestReportHost : public QObject {
    Q_OBJECT

    std::unique_ptr<CartellaProgramma> m_cartella;

private slots:
    void initTestCase() {
        m_cartella = std::make_unique<CartellaProgramma>();
        riempi(*m_cartella);
    }

    void macro_data() {
        QTest::addColumn<QString>("macro");
        QTest::addColumn<QString>("parametro"); // "column = 'value'" written first, if any
        // Parts that one printed line holds in this order, split by "|"; "!text": not printed.
        QTest::addColumn<QStringList>("righe");

        const auto riga = [](const char* nome, const char* macro, const char* parametro,
                             const QString& righe) {
            QTest::newRow(nome) << QString("mac_Stampa") + macro << parametro << righe.split('#');
        };
        // P001: opening stock 100, +40 received, -2 -5 handed out.
        riga("elenco articoli", "ElencoArticoli", "",
             "B003|Biscotti frollini|Biscotti|confezioni|No|20#"
             "P001|Pasta di semola all'uovo|Pasta|kg|Sì|100|133");
        riga("scheda articolo", "SchedaArticolo", "Stampa_Articolo_ID = '2'",
             "Categoria merceologica|Latte e derivati#Unità di misura|litri#"
             "Giacenza iniziale|50,5#Giacenza attuale|61,5#!Pasta");
        riga("elenco nominativi", "ElencoNominativi", "",
             "D'Angelo|Niccolò|Via Sant'Anna 3, 06012 Città di Castello|333 1234567|4#"
             "Rossi|Maria|Via Verdi 10, 00100 Roma (RM)|2");
        riga("scheda nominativo", "SchedaNominativo", "Stampa_Nominativo_ID = '1'",
             "Scheda nominativo - D'Angelo Niccolò#Data di nascita|12/05/1970#"
             "Familiari|Moglie e tre figli#!Rossi");
        // Fields the record leaves empty, or "0" for no birth date, are left out.
        riga("scheda nominativo senza data di nascita", "SchedaNominativo",
             "Stampa_Nominativo_ID = '2'", "Cognome|Rossi#!Data di nascita#!Telefono#!Familiari");
        riga("elenco fornitori", "ElencoFornitori", "",
             "AGEA Roma|Via Palestro 81, Roma#"
             "Cooperativa L'Ortolano|Via dei Campi 5, Bologna|01234567890");
        riga("scheda fornitore", "SchedaFornitore", "Stampa_Fornitore_ID = '1'",
             "Ragione sociale|Cooperativa L'Ortolano#Referente 1|Gianni Bianchi#!Palestro#"
             "!Codice fornitore#!Fax");
        riga("scheda carico", "SchedaCarico", "Stampa_Carico_ID = '1'",
             "Carico merci - documento n. DDT 24/045 del 04/03/2024#Fornitore|AGEA Roma#"
             "P.IVA 97181460581#P001|Pasta di semola all'uovo|Sì|kg|40,0#"
             "Totale: 2 articoli — kg 40; litri 12,5");
        riga("ricevuta di consegna", "SchedaScarico", "Stampa_Scarico_ID = '1'",
             "Ricevuta di consegna n. 1 del 05/03/2024#C.F. 97000000001 - P.IVA 01234567890#"
             "Beneficiario|D'Angelo Niccolò#Via Sant'Anna 3 - 06012 Città di Castello (PG)#"
             "Nucleo familiare|4 persone#Totale: 2 articoli — kg 2; litri 1,5#!Mensa");
        riga("ricevuta di consegna alla mensa", "SchedaScarico", "Stampa_Scarico_ID = '2'",
             "Causale|Mensa#Persone servite|30#Totale: 1 articolo — kg 5#!Beneficiario");
        riga("modello di consegna", "ModCons", "Stampa_ModCons_id = '1'",
             "Modello|Pacco famiglia numerosa#Totale: 2 articoli — kg 2; litri 3#!Firma");
        riga("registro di un articolo", "RegistroAgeaNoCopertina", "Regagea_Articolo_ID = '2'",
             "Periodo dal 01/03/2024 al 31/03/2024#01/03/2024|RIPORTO|50,5#"
             "05/03/2024|1|4 indigenti|1,5|61,5|4#!Pasta#!STRUTTURA CARITATIVA");
    }
    // Guards each report's record, joined names, computed stocks, and Italian numbers.
    void macro() {
        QFETCH(QString, macro);
        QFETCH(QString, parametro);
        QFETCH(QStringList, righe);
        if (!parametro.isEmpty())
            sql(*m_cartella, {QStringLiteral("UPDATE parametri SET ") + parametro});

        const Esito esito = stampa(*m_cartella, macro);
        QVERIFY2(esito.codice == 0 && esito.nuoviPdf.size() == 1, qPrintable(esito.errore));
        const QString testo = testoPdf(esito.nuoviPdf.first());
        // Named after the title printed, then the time.
        const QString nome =
            QFileInfo(esito.nuoviPdf.first())
                .fileName()
                .remove(QRegularExpression(R"( [-\d]{10} [.\d]{8}( \(\d+\))?\.pdf$)"));
        QVERIFY2(QString(testo).replace('/', '-').contains(nome), qPrintable(nome));
        righe << "Associazione Banco Alimentare Esempio"
              << "Pagina 1 di ";
        for (const QString& riga : righe) {
            if (riga.startsWith(QLatin1Char('!')))
                QVERIFY2(!testo.contains(riga.mid(1)), qPrintable(riga));
            else
                QVERIFY2(rigaCon(testo, riga.split(QLatin1Char('|'))),
                         qPrintable(riga + "\n" + testo));
        }
    }

    // Guards page breaks, and a registry printer no longer installed falling back to the default.
    void stampeLunghe() {
        CartellaProgramma cartella;
        QStringList righe;
        for (int i = 1; i <= 130; ++i)
            righe << QStringLiteral("('Cognome%1', 'Nome%1', 'Via %1', 'Città', %2)")
                         .arg(i, 3, 10, QLatin1Char('0'))
                         .arg(i % 7);
        sql(cartella, {"INSERT INTO nominativi (cognome, nome, via, citta, numFamiliari) VALUES " +
                       righe.join(QLatin1Char(','))});
        QVERIFY(Registro(cartella.fileRegistro())
                    .scrivi("SOFTWARE\\Brevantoria\\Dolvera", "Printer", "Stampante dismessa"));

        const Esito esito = stampa(cartella, QStringLiteral("mac_StampaElencoNominativi"));
        QVERIFY2(esito.codice == 0, qPrintable(esito.errore));
        const QString tutto = testoPdf(esito.nuoviPdf.value(0));
        QStringList pagine = tutto.split(QLatin1Char('\f'));
        pagine.removeLast();
        QVERIFY(pagine.size() >= 3);
        for (int p = 1; p <= pagine.size(); ++p) {
            QVERIFY(rigaCon(pagine[p - 1], {"Cognome", "Nome", "Indirizzo", "Familiari"}));
            QVERIFY(pagine[p - 1].contains(QString("Pagina %1 di %2").arg(p).arg(pagine.size())));
        }
        for (int i = 1; i <= 130; ++i)
            QCOMPARE(tutto.count(QStringLiteral("Cognome%1").arg(i, 3, 10, QLatin1Char('0'))), 1);

        // A receipt of 30 lines on one page, AGEA marks, exact per-unit totals, and a
        // beneficiary no longer in the records named as such rather than as "Anonimo".
        sql(cartella,
            {"INSERT INTO articoli (ID, codint, descr, agea, um_id) WITH RECURSIVE n(i) AS "
             "(SELECT 11 UNION ALL SELECT i + 1 FROM n WHERE i < 40) SELECT i, 'A' || i, "
             "'Articolo di prova dal nome piuttosto lungo ' || i, i % 2, "
             "CASE i % 3 WHEN 0 THEN 1 WHEN 1 THEN 3 END FROM n",
             "INSERT INTO scarichi_mast (ID, data, nominativi_id, nrDocumento, causali_id, "
             "nrBeneficiati) VALUES (7, '2024-12-31', 999, 412, 1, 1)",
             "INSERT INTO scarichi_dett (master_id, articoli_id, qta) SELECT 7, ID, "
             "CASE ID % 3 WHEN 0 THEN 0.5 WHEN 1 THEN 0.1 ELSE 2 END FROM articoli",
             "UPDATE parametri SET Stampa_Scarico_ID = '7'"});

        const Esito ricevuta = stampa(cartella, QStringLiteral("mac_StampaSchedaScarico"));
        QVERIFY2(ricevuta.codice == 0, qPrintable(ricevuta.errore));
        QVERIFY(ricevuta.nuoviPdf.value(0).contains("Ricevuta di consegna n. 412 del 31-12-2024"));
        const QString testo = testoPdf(ricevuta.nuoviPdf.value(0));
        QCOMPARE(testo.count(QLatin1Char('\f')), 1);
        QVERIFY(rigaCon(testo, {"Beneficiario", "Nominativo n. 999 (non più in archivio)"}));
        for (int i = 11; i <= 40; ++i) {
            const QString riga = QString("A%1 +Articolo di prova dal nome piuttosto lungo %1 +%2")
                                     .arg(i)
                                     .arg(i % 2 ? QString("Sì ") : QString("(?!Sì)\\S"));
            QVERIFY2(testo.contains(QRegularExpression(riga)), qPrintable(riga));
        }
        const qsizetype totale = testo.indexOf(
            QStringLiteral("Totale: 30 articoli — senza unità di misura 20; kg 5; litri 1\n"));
        QVERIFY2(totale > 0, qPrintable(testo));
        QVERIFY(rigaCon(testo.mid(totale), {"Firma del beneficiario", "Firma del volontario"}));
    }

    // Guards the register to be filed: cover outside the page count, stock carried across
    // pages, decimals per article, totals, stamp, and only existing tax codes; then the
    // same file made read-only is printed from as it is, every byte kept.
    void registroDaArchiviare() {
        CartellaProgramma cartella;
        riempi(cartella);
        sql(cartella,
            {"INSERT INTO scarichi_mast (ID, data, nominativi_id, nrDocumento, causali_id, "
             "nrBeneficiati) WITH RECURSIVE n(i) AS (SELECT 3 UNION ALL SELECT i + 1 FROM n "
             "WHERE i < 62) SELECT i, date('2024-03-08', '+' || (i / 3) || ' days'), 0, i, 1, "
             "1 + i % 5 FROM n",
             // 20 lines each of 0,25, 0,5 and 0,75 kg: 30 kg
             "INSERT INTO scarichi_dett (master_id, articoli_id, qta) "
             "SELECT ID, 1, 0.25 * (ID % 3 + 1) FROM scarichi_mast WHERE ID >= 3",
             "UPDATE datiAzienda SET piva = NULL",
             "UPDATE parametri SET Regagea_Articolo_ID = '0'"});

        const Esito esito = stampa(cartella, QStringLiteral("mac_StampaRegistroAgea"));
        QVERIFY2(esito.codice == 0, qPrintable(esito.errore));
        QStringList pagine = testoPdf(esito.nuoviPdf.value(0)).split(QLatin1Char('\f'));
        pagine.removeLast();
        QVERIFY(pagine.size() >= 3);
        const QString copertina = pagine.takeFirst();
        for (const char* presente :
             {"STRUTTURA CARITATIVA", "C.F. 97000000001", "Tutti i prodotti AGEA"})
            QVERIFY2(copertina.contains(QLatin1String(presente)), presente);
        for (const char* assente : {"P.IVA", "Stampato il", "Pagina"})
            QVERIFY2(!copertina.contains(QLatin1String(assente)), assente);
        QVERIFY(pagine.first().contains(QStringLiteral("Pagina 1 di %1").arg(pagine.size())));

        // The stock carried over equals the stock after the page's last row.
        const QRegularExpression movimento(QStringLiteral("^\\s*\\d\\d/03/2024 "));
        const QRegularExpression quantita(QStringLiteral("\\d+,\\d+"));
        auto ultimaQuantita = [&](const QString& riga) {
            QString q;
            for (const auto& m : quantita.globalMatch(riga))
                q = m.captured();
            return q;
        };
        int righe = 0, riporti = 0;
        for (qsizetype p = 0; p < pagine.size(); ++p) {
            QString giacenza;
            for (const QString& riga : pagine.at(p).split(QLatin1Char('\n'))) {
                if (movimento.match(riga).hasMatch()) {
                    giacenza = ultimaQuantita(riga);
                    ++righe;
                } else if (riga.startsWith(QStringLiteral("A riportare"))) {
                    QCOMPARE(ultimaQuantita(riga), giacenza);
                    QVERIFY(rigaCon(pagine.value(p + 1), {QStringLiteral("Riporto "), giacenza}));
                    ++riporti;
                }
            }
        }
        QCOMPARE(righe, 3 + 64); // milk: carried forward and 2 documents; pasta: 1 + 63
        QVERIFY(riporti >= 1);

        const QString registro = pagine.join(QLatin1Char('\f'));
        const qsizetype pasta =
            registro.indexOf(QStringLiteral("Pasta di semola all'uovo - Unità di misura: kg"));
        QVERIFY(pasta > 0);
        // Milk needs one decimal, pasta two, on every row; the document number on one line.
        QVERIFY(rigaCon(registro, {"04/03/2024", "DDT 24/045", "AGEA Roma", "12,5", "63,0"}));
        QVERIFY(!registro.mid(pasta).contains(QRegularExpression("\\d,\\d(?!\\d)")));
        QVERIFY(rigaCon(registro, {"Totale scarichi del mese", "37,00"}));
        QVERIFY(rigaCon(registro, {"Giacenza finale", "103,00"}));
        QVERIFY(rigaCon(registro, {"07/03/2024", "2", "Mensa", "5,00", "30"}));
        QVERIFY(rigaCon(registro, {"1 indigente", "0,"}));
        QVERIFY(!registro.contains(QRegularExpression("\\b1 indigenti")));
        const QString timbro =
            "Timbro della struttura caritativa e firma del legale rappresentante";
        QVERIFY(pagine.last().indexOf(timbro) > pagine.last().indexOf("Giacenza finale"));
        QCOMPARE(registro.count(timbro), 1);

        // The register's view of the AGEA articles lives with the host's own connection.
        sql(cartella, {QStringLiteral("UPDATE parametri SET Regagea_Articolo_ID = '2'")});
        QVERIFY(QFile::setPermissions(cartella.fileDb(), QFile::ReadOwner | QFile::ReadGroup));
        QFile db(cartella.fileDb());
        QVERIFY(db.open(QIODevice::ReadOnly));
        const QByteArray prima = db.readAll();
        db.close();
        const Esito sola = stampa(cartella, QStringLiteral("mac_StampaRegistroAgeaNoCopertina"));
        QVERIFY2(sola.codice == 0, qPrintable(sola.errore));
        QVERIFY(rigaCon(testoPdf(sola.nuoviPdf.value(0)), {"05/03/2024", "4 indigenti", "61,5"}));
        QVERIFY(db.open(QIODevice::ReadOnly) && db.readAll() == prima);
        QVERIFY(!QFile::exists(cartella.fileDb() + QStringLiteral("-journal")));
    }

    void errori_data() {
        QTest::addColumn<QString>("argomenti"); // split at blanks; "@DB@" is the folder's file
        QTest::addColumn<QString>("prima");     // SQL run before, statements split by ';'
        QTest::addColumn<QString>("messaggio");
        const QString articoli = QStringLiteral("@DB@ /x mac_StampaElencoArticoli");
        const QString registro = QStringLiteral("@DB@ /x mac_StampaRegistroAgeaNoCopertina");
        const char* uso = "Uso: dolvera-report";
        const struct {
            const char* nome;
            QString argomenti, prima;
            const char* messaggio;
        } casi[] = {
            {"nessun argomento", "", "", uso},
            {"opzione errata", "@DB@ /y mac_StampaElencoArticoli", "", uso},
            {"argomento in piu'", articoli + " altro", "", uso},
            {"macro sconosciuta", "@DB@ /x mac_StampaTutto", "", "Macro sconosciuta"},
            {"database mancante", "Manca.mdb /x mac_StampaElencoArticoli", "",
             "Impossibile trovare il database"},
            {"record mancante", "@DB@ /x mac_StampaSchedaArticolo",
             "UPDATE parametri SET Stampa_Articolo_ID = '999'",
             "Il record da stampare non esiste (Stampa_Articolo_ID = 999)"},
            {"parametro non numerico", "@DB@ /x mac_StampaSchedaCarico",
             "UPDATE parametri SET Stampa_Carico_ID = 'abc'", "Stampa_Carico_ID"},
            {"mese del registro mancante", "@DB@ /x mac_StampaRegistroAgea",
             "UPDATE parametri SET Pivot_mese = NULL", "Il parametro Pivot_mese non è impostato"},
            {"mese del registro non valido", registro,
             "UPDATE parametri SET Pivot_mese = '31/02/2024'",
             "Il parametro Pivot_mese non contiene una data valida"},
            {"articolo del registro non AGEA", registro,
             "UPDATE parametri SET Pivot_mese = '01/03/2024';INSERT INTO articoli (ID, descr, "
             "agea) VALUES (3, 'Biscotti', 0);UPDATE parametri SET Regagea_Articolo_ID = '3'",
             "Il parametro Regagea_Articolo_ID non indica un articolo AGEA: \"3\""},
            {"database non valido", articoli, "DROP TABLE articoli", "Errore del database"}};
        for (const auto& c : casi)
            QTest::newRow(c.nome) << c.argomenti << c.prima << QString(c.messaggio);
    }
    // Guards that every failure exits with an error code and a message, printing nothing.
    void errori() {
        QFETCH(QString, argomenti);
        QFETCH(QString, prima);
        QFETCH(QString, messaggio);
        CartellaProgramma cartella;
        if (!prima.isEmpty())
            sql(cartella, prima.split(QLatin1Char(';')));
        QStringList lista = argomenti.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        lista.replaceInStrings(QStringLiteral("@DB@"), cartella.fileDb());
        lista.replaceInStrings(QStringLiteral("Manca.mdb"), cartella.file("Manca.mdb"));
        const Esito esito = esegui(cartella, lista);
        QVERIFY2(esito.codice > 0 && esito.errore.contains(messaggio), qPrintable(esito.errore));
        QVERIFY(pdfStampati(cartella).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestReportHost)
#include "tst_reporthost.moc"
