// The template's views on a small store: AGEA register, stock at a date, Annex 9.

#include "DatabaseProva.h"
#include "ErroreDb.h"
#include "Viste.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

#include <memory>

namespace {

const QString CONNESSIONE = QStringLiteral("tst_viste");

using Righe = QList<std::pair<int, double>>;

// A value as compact text: NULL for null, numbers in their shortest form.
QString testo(const QVariant& v) {
    if (v.isNull())
        return QStringLiteral("NULL");
    if (v.typeId() == QMetaType::Double)
        return QString::number(v.toDouble());
    return v.toString();
}

} // namespace

class TestViste : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<DatabaseProva> m_db;
    int m_pasta = 0, m_latte = 0, m_biscotti = 0, m_zucchero = 0;
    int m_banco = 0;

    static QSqlDatabase db() { return QSqlDatabase::database(CONNESSIONE); }

    static QSqlQuery esegui(const QString& sql, const QVariantList& valori = {}) {
        QSqlQuery q(db());
        q.prepare(sql);
        for (const QVariant& v : valori)
            q.addBindValue(v);
        if (!q.exec())
            qFatal("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
        return q;
    }
    static int inserisci(const QString& sql, const QVariantList& valori) {
        return esegui(sql, valori).lastInsertId().toInt();
    }
    // Every row of the statement, its columns from `da` on joined by '|'.
    static QStringList righe(const QString& sql, int da = 0) {
        QSqlQuery q = esegui(sql);
        QStringList out;
        while (q.next()) {
            QStringList campi;
            for (int i = da; i < q.record().count(); ++i)
                campi << testo(q.value(i));
            out << campi.join('|');
        }
        return out;
    }
    static QStringList colonne(const QString& vista) {
        return righe("SELECT name FROM pragma_table_info('" + vista + "')");
    }
    // A parameter as the program writes it: quoted text, dates as dd/MM/yyyy.
    static void parametro(const QString& nome, const QString& valore) {
        esegui("UPDATE parametri SET " + nome + " = '" + valore + "'");
    }
    static QString a(int id) { return "A" + QString::number(id); }

    int articolo(const QString& descr, bool agea, double giacenza, const QString& um) {
        return inserisci("INSERT INTO articoli (descr, agea, giacenza, scortamin, um_id)"
                         " VALUES (?, ?, ?, 0, (SELECT ID FROM lstUm WHERE descr = ?))",
                         {descr, agea ? 1 : 0, giacenza, um});
    }
    // A receipt ("carichi") or a distribution ("scarichi") with its lines.
    void documento(const QString& tipo, const QVariantList& testata, const Righe& righe) {
        const int id = tipo == "carichi"
                           ? inserisci("INSERT INTO carichi_mast (data, nrDocumento, fornitore_id)"
                                       " VALUES (?, ?, ?)",
                                       testata + QVariantList{m_banco})
                           : inserisci("INSERT INTO scarichi_mast (data, nrDocumento, causali_id,"
                                       " nrBeneficiati) VALUES (?, ?, ?, ?)",
                                       testata);
        for (const auto& [art, qta] : righe)
            esegui("INSERT INTO " + tipo + "_dett (master_id, articoli_id, qta) VALUES (?, ?, ?)",
                   {id, art, qta});
    }

    // Feb-Apr movements, several on one day, entered out of register order.
    void magazzino() {
        QVERIFY(db().transaction());
        m_pasta = articolo("Pasta", true, 10, "kg");
        m_latte = articolo("Latte", true, 5, "litri");
        m_biscotti = articolo("Biscotti", false, 0, "confezioni");
        m_zucchero = articolo("zucchero", true, 7.5, "kg");
        m_banco = inserisci("INSERT INTO fornitori (codfor, ragsoc) VALUES ('0', ?)",
                            {"Banco Alimentare Lombardia"});

        documento("carichi", {"2024-02-10", "F1"}, {{m_pasta, 100}});
        documento("scarichi", {"2024-02-20", 1, 1, 3}, {{m_pasta, 30}});
        documento("scarichi", {"2024-03-05", 10, 1, 4}, {{m_pasta, 1.5}, {m_pasta, 0.5}});
        documento("scarichi", {"2024-03-05", 9, 2, 0}, {{m_latte, 1}});
        documento("scarichi", {"2024-03-05", 8, 1, 2}, {{m_pasta, 1}, {m_latte, 1}});
        documento("carichi", {"2024-03-05", "B12"}, {{m_pasta, 20}, {m_latte, 12}, {m_pasta, 5}});
        documento("scarichi", {"2024-03-12", 11, 4, 30}, {{m_biscotti, 3}});
        documento("scarichi", {"2024-03-12", 12, 5, 15}, {{m_latte, 2}, {m_biscotti, 1}});
        documento("scarichi", {"2024-03-12", 13, 1, 5}, {{m_biscotti, 2}});
        documento("scarichi", {"2024-03-01", 14, 1, QVariant()}, {{m_latte, 1}});
        documento("carichi", {"2024-03-31", "C7"}, {{m_latte, 3}});
        documento("scarichi", {"2024-04-02", 15, 1, 6}, {{m_pasta, 1}});
        QVERIFY(db().commit());
    }

private slots:
    void init() { m_db = std::make_unique<DatabaseProva>(CONNESSIONE); }
    void cleanup() { m_db.reset(); }

    // One row per document of the month holding AGEA goods, one column per AGEA article.
    void registroDelMese() {
        magazzino();
        RicreaQryPivot(CONNESSIONE);
        parametro("Pivot_mese", "01/03/2024");
        QCOMPARE(righe("SELECT * FROM qry_pivot"),
                 QStringList({
                     "S|2024-03-01|14||{dest} indigenti|1|NULL|NULL",
                     "C|2024-03-05|B12||Banco Alimentare Lombardia|12|25|NULL",
                     "S|2024-03-05|8|2|{dest} indigenti|1|1|NULL",
                     "S|2024-03-05|9|0|Eliminazione per scadenza|1|NULL|NULL",
                     "S|2024-03-05|10|4|{dest} indigenti|NULL|2|NULL",
                     "S|2024-03-12|12|15|Unità di strada|2|NULL|NULL",
                     "C|2024-03-31|C7||Banco Alimentare Lombardia|3|NULL|NULL",
                 }));
        // The month's documents are found through the date indexes, not by reading every line.
        const QString piano = righe("EXPLAIN QUERY PLAN SELECT * FROM qry_pivot", 3).join('\n');
        QVERIFY2(piano.contains("carichi_mast_data (data>? AND data<?)"), qPrintable(piano));
        QVERIFY2(piano.contains("scarichi_mast_data_nrDoc (data>? AND data<?)"), qPrintable(piano));
        QVERIFY2(!piano.contains("SCAN D"), qPrintable(piano));
        // The month's AGEA lines, one row per document and article, for the report host.
        QCOMPARE(righe("SELECT numero, ragsoc, descr, qta FROM qry_pivot_carichi"),
                 QStringList({"B12|Banco Alimentare Lombardia|Latte|12",
                              "B12|Banco Alimentare Lombardia|Pasta|25",
                              "C7|Banco Alimentare Lombardia|Latte|3"}));
        QCOMPARE(righe("SELECT numero, nrBeneficiati, descr, qta FROM qry_pivot_scarichi"),
                 QStringList({"14|NULL|Latte|1", "8|2|Latte|1", "8|2|Pasta|1", "9|0|Latte|1",
                              "10|4|Pasta|2", "12|15|Latte|2"}));

        parametro("Pivot_mese", "01/04/2024");
        QCOMPARE(righe("SELECT * FROM qry_pivot"),
                 QStringList({"S|2024-04-02|15|6|{dest} indigenti|NULL|1|NULL"}));
    }

    // One column per AGEA article as the list changes; a failed rewrite changes nothing.
    void ricreaQryPivot() {
        const auto testoVista = [] {
            return righe("SELECT sql FROM sqlite_master WHERE name = 'qry_pivot'").value(0);
        };
        const auto versione = [] { return righe("PRAGMA schema_version").value(0); };
        const QString sqlModello = testoVista(), versioneModello = versione();
        RicreaQryPivot(CONNESSIONE);
        QCOMPARE(versione(), versioneModello);

        magazzino();
        parametro("Pivot_mese", "01/03/2024");
        const int olio = articolo("olio", true, 0, "litri");
        RicreaQryPivot(CONNESSIONE);
        QCOMPARE(colonne("qry_pivot").mid(5),
                 QStringList({a(m_latte), a(olio), a(m_pasta), a(m_zucchero)}));

        // Pasta leaves the AGEA list: its column and its only-pasta document go.
        esegui("UPDATE articoli SET agea = 0 WHERE ID = ?", {m_pasta});
        RicreaQryPivot(CONNESSIONE);
        QCOMPARE(colonne("qry_pivot").mid(5), QStringList({a(m_latte), a(olio), a(m_zucchero)}));
        QCOMPARE(righe("SELECT numero FROM qry_pivot"),
                 QStringList({"14", "B12", "8", "9", "12", "C7"}));

        // A rewrite that fails (the file locked by another writer) keeps the old view.
        esegui("UPDATE articoli SET agea = 1 WHERE ID = ?", {m_biscotti});
        const QString altra = QStringLiteral("tst_viste_bloccata");
        const QString blocco = QStringLiteral("tst_viste_blocco");
        {
            QSqlDatabase b = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), blocco);
            b.setDatabaseName(m_db->cartella().fileDb());
            QVERIFY(b.open());
            QSqlQuery qb(b);
            QVERIFY(qb.exec("BEGIN IMMEDIATE"));
            QSqlDatabase w = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), altra);
            w.setDatabaseName(m_db->cartella().fileDb());
            w.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=0"));
            QVERIFY(w.open());
            QVERIFY_THROWS_EXCEPTION(ErroreDb, RicreaQryPivot(altra));
            QVERIFY(qb.exec("ROLLBACK"));
            QSqlQuery qw(w);
            QVERIFY2(qw.exec("BEGIN"), qPrintable(qw.lastError().text()));
            QVERIFY(qw.exec("ROLLBACK"));
        }
        for (const QString& nome : {altra, blocco})
            QSqlDatabase::removeDatabase(nome);
        QCOMPARE(colonne("qry_pivot").mid(5), QStringList({a(m_latte), a(olio), a(m_zucchero)}));

        esegui("UPDATE articoli SET agea = 0");
        RicreaQryPivot(CONNESSIONE);
        QCOMPARE(testoVista(), sqlModello);
    }

    // Stock at the start of the day: lines of that day and later do not count yet.
    void giacenzaAllaData_data() {
        QTest::addColumn<QString>("giorno");
        QTest::addColumn<QStringList>("giacenze"); // pasta, latte, biscotti, zucchero
        QTest::newRow("giorno con movimenti") << "05/03/2024" << QStringList{"80", "4", "0", "7.5"};
        QTest::newRow("maggio") << "01/05/2024" << QStringList{"101", "15", "-6", "7.5"};
    }
    void giacenzaAllaData() {
        QFETCH(QString, giorno);
        QFETCH(QStringList, giacenze);
        magazzino();
        parametro("Pivot_giac_data", giorno);
        QCOMPARE(righe("SELECT giacza FROM qry_pivot_giac_alla_data ORDER BY ID"), giacenze);
    }

    // Delivery days: reason 1 with AGEA goods; persons counted once per distribution.
    void allegati9GiorniEMerci() {
        magazzino();
        QCOMPARE(righe("SELECT * FROM qry_all9_dest"),
                 QStringList({"2024-02-20|3", "2024-03-01|0", "2024-03-05|6", "2024-04-02|6"}));
        QCOMPARE(righe("SELECT data, descr, quanti, um FROM qry_all9_dett"),
                 QStringList({"2024-02-20|Pasta|30|kg", "2024-03-01|Latte|1|litri",
                              "2024-03-05|Latte|1|litri", "2024-03-05|Pasta|3|kg",
                              "2024-04-02|Pasta|1|kg"}));
    }

    // The register in report form: carried-forward row, then the month with running stock.
    void registroPerIlReport() {
        magazzino();
        parametro("Pivot_mese", "01/03/2024");
        parametro("Regagea_Articolo_ID", "0");
        const QString colonneRegistro = "SELECT articoli_id, artdescr, data, rangedoc, descr, "
                                        "carico, scarico, giacza, dest, riporto "
                                        "FROM qry_regagea_fase999";
        const QString l = QString::number(m_latte), p = QString::number(m_pasta),
                      z = QString::number(m_zucchero);
        QCOMPARE(righe(colonneRegistro),
                 QStringList({
                     l + "|Latte|2024-03-01||RIPORTO|NULL|NULL|5||1",
                     l + "|Latte|2024-03-01|14|indigenti|NULL|1|4||0",
                     l + "|Latte|2024-03-05|B12|Banco Alimentare Lombardia|12|NULL|16||0",
                     l + "|Latte|2024-03-05|8|2 indigenti|NULL|1|15|2|0",
                     l + "|Latte|2024-03-05|9|Eliminazione per scadenza|NULL|1|14|0|0",
                     l + "|Latte|2024-03-12|12|Unità di strada|NULL|2|12|15|0",
                     l + "|Latte|2024-03-31|C7|Banco Alimentare Lombardia|3|NULL|15||0",
                     p + "|Pasta|2024-03-01||RIPORTO|NULL|NULL|80||1",
                     p + "|Pasta|2024-03-05|B12|Banco Alimentare Lombardia|25|NULL|105||0",
                     p + "|Pasta|2024-03-05|8|2 indigenti|NULL|1|104|2|0",
                     p + "|Pasta|2024-03-05|10|4 indigenti|NULL|2|102|4|0",
                     z + "|zucchero|2024-03-01||RIPORTO|NULL|NULL|7.5||1",
                 }));
    }
};

QTEST_GUILESS_MAIN(TestViste)
#include "tst_viste.moc"
