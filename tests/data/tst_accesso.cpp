// The data-access routines: what they run, what they return and the log lines they write.

#include "AccessoDati.h"
#include "ConnessioneProva.h"
#include "DataSet.h"
#include "ErroreDb.h"
#include "Utilitylibrary.h"

#include <QSqlQuery>
#include <QTest>

class TestAccesso : public QObject {
    Q_OBJECT

    std::unique_ptr<ConnessioneProva> m_db;

private slots:
    void init() { m_db = std::make_unique<ConnessioneProva>(); }
    void cleanup() { m_db.reset(); }

    void querificaPulisceLoggaEdEsegue() {
        ConnessioneProva::esegui(
            "INSERT INTO articoli (ID, descr, agea, giacenza) VALUES (1, 'Pasta', 0, 0)");
        Querifica("UPDATE  articoli\n\tSET giacenza = 2.5   WHERE agea=False\r\n");
        QCOMPARE(m_db->cartella().righeLog(),
                 QStringList{"Querifica { sql=\"UPDATE articoli SET giacenza = 2.5 WHERE "
                             "agea=False\" }"});
        QCOMPARE(DbValore("articoli", "giacenza", "ID=1"), QString("2,5"));
    }

    // A failed read throws and logs nothing; a value read is logged with its display text.
    void dbValoreTestoELog() {
        QVERIFY_THROWS_EXCEPTION(ErroreDb, DbValore("tabella_inesistente", "COUNT(*)", ""));
        QCOMPARE(DbValore("scarichi_mast", "COUNT(*)", ""), QString("0"));
        QCOMPARE(DbValore("scarichi_mast", "MIN(data)", ""), QString());
        ConnessioneProva::esegui("INSERT INTO scarichi_mast (data, nrDocumento, causali_id) "
                                 "VALUES ('2024-03-05', 3, 1)");
        QCOMPARE(DbValore("scarichi_mast", "MIN(data)", "causali_id=1"), QString("05/03/2024"));
        const QStringList log = m_db->cartella().righeLog();
        QCOMPARE(log.value(0),
                 QString("DbValore { sql=\"SELECT COUNT(*) FROM scarichi_mast\", result=\"0\"  }"));
        QCOMPARE(log.value(2), QString("DbValore { sql=\"SELECT MIN(data) FROM scarichi_mast WHERE "
                                       "causali_id=1\", result=\"05/03/2024\"  }"));
    }

    void recsetApreIlRisultato() {
        ConnessioneProva::esegui("INSERT INTO lstUm (descr) VALUES ('zolle')");
        DataSet q("qryProva");
        Recset("SELECT descr\n   FROM lstUm WHERE descr = 'zolle'", q);
        QCOMPARE(q.conteggio(), 1);
        QCOMPARE(q.valore("descr").toString(), QString("zolle"));
        QCOMPARE(m_db->cartella().righeLog(),
                 QStringList{"Recset { sql=\"SELECT descr FROM lstUm WHERE descr = 'zolle'\" }"});
    }

    void numeroScaricoTestoEPosizione() {
        QCOMPARE(ProssimoNrScarico(), 1);
        ConnessioneProva::esegui(
            "INSERT INTO scarichi_mast (data, nrDocumento, causali_id) VALUES "
            "('2024-01-02', 7, 1), ('2024-01-03', 12, 1), ('2024-01-04', 9, 1)");
        QCOMPARE(ProssimoNrScarico(), 13);
        for (const auto& [valore, testo] :
             {std::pair{QVariant(), ""},
              {QVariant(-12.37), "-12,37"},
              {QVariant("2024-12-31 08:05:00"), "31/12/2024 08:05:00"},
              {QVariant("via Roma 1"), "via Roma 1"}})
            QCOMPARE(TestoValore(valore), QString(testo));

        ConnessioneProva::esegui(
            "INSERT INTO lstCatmerc (ID, descr) VALUES (900, 'Zuppe'), (901, 'Zucchero')");
        DataSet ds("tblProva");
        ds.setTabella("lstCatmerc");
        ds.setOrdine("descr");
        ds.apri();
        PosizionaId(ds, 901);
        QCOMPARE(ds.valore("ID").toInt(), 901);
        PosizionaId(ds, 4242);
        QCOMPARE(ds.valore("ID").toInt(), 901);
    }
};

QTEST_GUILESS_MAIN(TestAccesso)
#include "tst_accesso.moc"
