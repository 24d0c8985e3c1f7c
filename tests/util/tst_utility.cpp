#include "Utilitylibrary.h"

#include <QTest>
#include <cmath>
#include <tuple>

class TestUtility : public QObject {
    Q_OBJECT

private slots:
    // Counts beyond either end, zero and negative counts, 1-based positions; the search of
    // utSostituisci resumes after each inserted text.
    void partiDiTesto() {
        QCOMPARE(utSinistra("abc", 9) + utSinistra("abc", -1), QStringLiteral("abc"));
        QCOMPARE(utDestra("abc", 2) + utDestra("abc", -1), QStringLiteral("bc"));
        QCOMPARE(utDa("abcdef", 3) + utDa("abc", 4), QStringLiteral("cdef"));
        QCOMPARE(utDa("abc", 0), QStringLiteral("abc"));
        const std::tuple<const char*, const char*, int, int> posizioni[] = {{"abcabc", "bc", 3, 5},
                                                                            {"abcabc", "bc", 6, 0},
                                                                            {"abc", "A", 1, 0},
                                                                            {"abc", "", 1, 0},
                                                                            {"abc", "a", 0, 1}};
        for (const auto& [testo, cerca, da, attesa] : posizioni)
            QCOMPARE(utPosDa(testo, cerca, da), attesa);
        QCOMPARE(utTestoTra("x]y[z]w]", "[", "]"), QStringLiteral("z"));
        QCOMPARE(utTestoTra("a[bc", "[", "]"), QString());

        QCOMPARE(utSostituisci("banana", "a", "aa"), QStringLiteral("baanaanaa"));
        QCOMPARE(utSostituisci("aaaaa", "aa", "b"), QStringLiteral("bba"));
        QCOMPARE(utSostituisci("Abc abc", "a", "x"), QStringLiteral("Abc xbc"));
        QCOMPARE(utSostituisci("abc", "", "x"), QStringLiteral("abc"));
        QCOMPARE(utUnaRiga(QStringLiteral("Via Roma\r\n12\tint.") + QChar(1) +
                           QStringLiteral("3\u2028B")),
                 QStringLiteral("Via Roma 12 int. 3 B"));
    }

    void dateEMesi() {
        const QDate d(2024, 3, 5), prima(2023, 12, 31);
        QVERIFY(utIndiceMese(prima) < utIndiceMese(QDate(2024, 1, 1)));
        QCOMPARE(utNomeMese(13), QStringLiteral("boh?"));
        const QStringList abbreviazioni = {"GEN", "FEB", "MAR", "APR", "MAG", "GIU",
                                           "LUG", "AGO", "SET", "OTT", "NOV", "DIC"};
        for (int mese = 1; mese <= 12; ++mese) {
            QCOMPARE(utNumeroMese(abbreviazioni[mese - 1]), mese);
            QCOMPARE(utDataDaMeseAnno(utMeseAnno(QDate(2025, mese, 17))), QDate(2025, mese, 1));
        }
        for (const char* sbagliato : {"Gen", "GENN", ""})
            QCOMPARE(utNumeroMese(sbagliato), 0);
        QCOMPARE(utMeseAnno(d), QStringLiteral("Marzo 2024"));
        QCOMPARE(utDataDaMeseAnno("dicembre 1999"), QDate(1999, 12, 1));
        for (const char* etichetta : {"", "Mar", "Foo 2024", "Marzo 20x4"})
            QVERIFY_THROWS_EXCEPTION(Errore, utDataDaMeseAnno(etichetta));
        QCOMPARE(utLimitiMese(QDate(2024, 2, 15)),
                 std::make_pair(QDate(2024, 2, 1), QDate(2024, 2, 29)));
        QCOMPARE(utLimitiMese(QDate(2023, 2, 28)),
                 std::make_pair(QDate(2023, 2, 1), QDate(2023, 2, 28)));

        QCOMPARE(utDataSql(QDate(2023, 12, 25)), QStringLiteral("#12/25/2023#"));
        QCOMPARE(utDataSql(d), QStringLiteral("#3/5/2024#"));
        QCOMPARE(utTestoDataOra(QDateTime(d, QTime(0, 0))), QStringLiteral("05/03/2024"));
        QCOMPARE(utTestoDataOra(QDateTime(d, QTime(0, 0, 1))),
                 QStringLiteral("05/03/2024 00:00:01"));
        QCOMPARE(utDataDaTesto(" 5/3/2024 "), d);
        for (const char* sbagliato : {"31/02/2024", "2024-03-05", ""})
            QVERIFY(!utDataDaTesto(sbagliato).isValid());
        QCOMPARE(utDataOraDaTesto("5/3/2024 9:05"), QDateTime(d, QTime(9, 5)));
        QCOMPARE(utDataOraDaTesto("05/03/2024"), QDateTime(d, QTime(0, 0)));
        QVERIFY(!utDataOraDaTesto("05/03/2024 25:00:00").isValid());
    }

    // Shortest form with no binary noise and no negative zero, "." for SQL and "," on screen;
    // what is shown reads back exactly.
    void testiDeiNumeri() {
        for (const auto& [n, sql] : {std::pair{3.0, "3"},
                                     {0.1 + 0.2, "0.3"},
                                     {-0.0, "0"},
                                     {-2.6, "-2.6"},
                                     {1234567.25, "1234567.25"}}) {
            QCOMPARE(utNumeroSql(n), QString(sql));
            QCOMPARE(utTestoNumero(n), QString(sql).replace('.', ','));
            QCOMPARE(utNumeroDaTesto(utTestoNumero(n)), n);
        }
        bool ok = false;
        QCOMPARE(utNumeroDaTesto(" 2.5 ", &ok), 2.5);
        QVERIFY(ok);
        for (const char* sbagliato : {"", "due", "1.234,5"}) {
            utNumeroDaTesto(sbagliato, &ok);
            QVERIFY2(!ok, sbagliato);
        }
    }

    void numeriDigitati_data() {
        QTest::addColumn<QString>("testo");
        QTest::addColumn<bool>("valido");
        QTest::addColumn<double>("numero");
        QTest::newRow("milioni") << " -1.234.567,25 " << true << -1234567.25;
        QTest::newRow("intero con virgola") << "7,0" << true << 7.0;
        QTest::newRow("zero negativo") << "-0" << true << 0.0;
        QTest::newRow("punto decimale") << "2.5" << false << 0.0;
        QTest::newRow("gruppo lungo") << "1.5000" << false << 0.0;
        QTest::newRow("primo gruppo lungo") << "1234.567" << false << 0.0;
        QTest::newRow("esponente") << "1e5" << false << 0.0;
        QTest::newRow("due virgole") << "1,2,3" << false << 0.0;
        QTest::newRow("virgola sola") << "3," << false << 0.0;
    }

    // Every typed text is read exactly or refused; "-0" is 0, never a negative zero; whole
    // numbers refuse decimals other than zero and numbers beyond int.
    void numeriDigitati() {
        QFETCH(QString, testo);
        QFETCH(bool, valido);
        QFETCH(double, numero);
        bool ok = !valido;
        const double letto = utNumeroDigitato(testo, &ok);
        QCOMPARE(ok, valido);
        QCOMPARE(letto, numero);
        QCOMPARE(std::signbit(letto), numero < 0);
        const bool intero = valido && numero == std::trunc(numero);
        QCOMPARE(utInteroDigitato(testo, &ok), intero ? int(numero) : 0);
        QCOMPARE(ok, intero);
        utInteroDigitato("3.000.000.000", &ok);
        QVERIFY(!ok);
    }
};

QTEST_GUILESS_MAIN(TestUtility)
#include "tst_utility.moc"
