#include "Utilitylibrary.h"

#include <QTest>
#include <cmath>
#include <tuple>

class TestUtility : public QObject {
    Q_OBJECT

private slots:
    // Counts beyond either end, zero and negative counts, 1-based positions.
    void partiDiTesto() {
        QCOMPARE(utSinistra("abc", 2), QStringLiteral("ab"));
        QCOMPARE(utSinistra("abc", 9), QStringLiteral("abc"));
        QCOMPARE(utSinistra("abc", -1), QString());
        QCOMPARE(utDestra("abc", 2), QStringLiteral("bc"));
        QCOMPARE(utDestra("abc", 9), QStringLiteral("abc"));
        QCOMPARE(utDestra("abc", -1), QString());
        QCOMPARE(utDa("abcdef", 3), QStringLiteral("cdef"));
        QCOMPARE(utDa("abc", 4), QString());
        QCOMPARE(utDa("abc", 0), QStringLiteral("abc"));

        QCOMPARE(utPosDa("abcabc", "bc", 2), 2);
        QCOMPARE(utPosDa("abcabc", "bc", 3), 5);
        QCOMPARE(utPosDa("abcabc", "bc", 6), 0);
        QCOMPARE(utPosDa("abc", "A", 1), 0);
        QCOMPARE(utPosDa("abc", "", 1), 0);
        QCOMPARE(utPosDa("abc", "a", 0), 1);

        QCOMPARE(utTestoTra("x]y[z]w]", "[", "]"), QStringLiteral("z"));
        QCOMPARE(utTestoTra("a|b|c", "|", "|"), QStringLiteral("b"));
        QCOMPARE(utTestoTra("abc", "[", "]"), QString());
        QCOMPARE(utTestoTra("a[bc", "[", "]"), QString());
    }

    void sostituisci() {
        // The search resumes after each inserted r, so a letter replaced by itself doubled is
        // doubled once and the loop ends.
        QCOMPARE(utSostituisci("banana", "a", "aa"), QStringLiteral("baanaanaa"));
        QCOMPARE(utSostituisci("aaaaa", "aa", "b"), QStringLiteral("bba"));
        QCOMPARE(utSostituisci("xax", "x", "yy"), QStringLiteral("yyayy"));
        QCOMPARE(utSostituisci("a.b.c", ".", ""), QStringLiteral("abc"));
        QCOMPARE(utSostituisci("Abc abc", "a", "x"), QStringLiteral("Abc xbc"));
        QCOMPARE(utSostituisci("abc", "", "x"), QStringLiteral("abc"));
    }

    void dateEMesi() {
        const QDate d(2024, 3, 5), prima(2023, 12, 31);
        QCOMPARE(utIndiceMese(d), 202403);
        QVERIFY(utIndiceMese(prima) < utIndiceMese(QDate(2024, 1, 1)));
        QCOMPARE(utDataMin(d, prima), prima);
        QCOMPARE(utDataMax(prima, d), d);

        QCOMPARE(utNomeMese(0), QStringLiteral("boh?"));
        QCOMPARE(utNomeMese(13), QStringLiteral("boh?"));
        const QStringList abbreviazioni = {"GEN", "FEB", "MAR", "APR", "MAG", "GIU",
                                           "LUG", "AGO", "SET", "OTT", "NOV", "DIC"};
        for (int mese = 1; mese <= 12; ++mese) {
            QCOMPARE(utNumeroMese(abbreviazioni[mese - 1]), mese);
            QCOMPARE(utNomeMese(mese).left(3).toUpper(), abbreviazioni[mese - 1]);
            QCOMPARE(utDataDaMeseAnno(utMeseAnno(QDate(2025, mese, 17))), QDate(2025, mese, 1));
        }
        for (const char* sbagliato : {"Gen", "GENN", ""})
            QCOMPARE(utNumeroMese(sbagliato), 0);
        QCOMPARE(utMeseAnno(d), QStringLiteral("Marzo 2024"));
        QCOMPARE(utDataDaMeseAnno("dicembre 1999"), QDate(1999, 12, 1));
        for (const char* etichetta : {"", "Mar", "Foo 2024", "Marzo 20x4"})
            QVERIFY_THROWS_EXCEPTION(Errore, utDataDaMeseAnno(etichetta));

        const std::tuple<QDate, QDate, QDate> limiti[] = {
            {{2024, 2, 15}, {2024, 2, 1}, {2024, 2, 29}},
            {{2023, 2, 28}, {2023, 2, 1}, {2023, 2, 28}},
            {{2024, 12, 1}, {2024, 12, 1}, {2024, 12, 31}},
            {{2024, 4, 30}, {2024, 4, 1}, {2024, 4, 30}},
        };
        for (const auto& [giorno, primo, ultimo] : limiti)
            QCOMPARE(utLimitiMese(giorno), std::make_pair(primo, ultimo));
    }

    void testiDelleDate() {
        const QDate d(2024, 3, 5);
        QCOMPARE(utDataSql(QDate(2023, 12, 25)), QStringLiteral("#12/25/2023#"));
        QCOMPARE(utDataSql(d), QStringLiteral("#3/5/2024#"));
        QCOMPARE(utTestoData(d), QStringLiteral("05/03/2024"));
        QCOMPARE(utTestoDataOra(QDateTime(d, QTime(14, 7, 9))),
                 QStringLiteral("05/03/2024 14:07:09"));
        QCOMPARE(utTestoDataOra(QDateTime(d, QTime(0, 0))), QStringLiteral("05/03/2024"));
        QCOMPARE(utTestoDataOra(QDateTime(d, QTime(0, 0, 1))),
                 QStringLiteral("05/03/2024 00:00:01"));

        QCOMPARE(utDataDaTesto(" 5/3/2024 "), d);
        QVERIFY(!utDataDaTesto("31/02/2024").isValid());
        QVERIFY(!utDataDaTesto("2024-03-05").isValid());
        QVERIFY(!utDataDaTesto("").isValid());

        QCOMPARE(utDataOraDaTesto("05/03/2024 14:07:09"), QDateTime(d, QTime(14, 7, 9)));
        QCOMPARE(utDataOraDaTesto("05/03/2024"), QDateTime(d, QTime(0, 0)));
        QCOMPARE(utDataOraDaTesto("5/3/2024 9:05"), QDateTime(d, QTime(9, 5)));
        QVERIFY(!utDataOraDaTesto("05/03/2024 25:00:00").isValid());
        QVERIFY(!utDataOraDaTesto("05/03/2024 ieri").isValid());
    }

    // Shortest form with no binary noise and no negative zero, "." for SQL and "," on screen;
    // what is shown reads back exactly.
    void testiDeiNumeri() {
        const std::tuple<double, const char*> casi[] = {
            {3, "3"},    {0.1 + 0.2, "0.3"}, {-2.6, "-2.6"},
            {-0.0, "0"}, {12.37, "12.37"},   {1234567.25, "1234567.25"},
        };
        for (const auto& [n, sql] : casi) {
            QCOMPARE(utNumeroSql(n), QString(sql));
            QCOMPARE(utTestoNumero(n), QString(sql).replace('.', ','));
            QCOMPARE(utNumeroDaTesto(utTestoNumero(n)), n);
        }

        bool ok = false;
        QCOMPARE(utNumeroDaTesto(" 2.5 ", &ok), 2.5);
        QVERIFY(ok);
        QCOMPARE(utNumeroDaTesto("-12", &ok), -12.0);
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
        QTest::newRow("migliaia") << "1.500" << true << 1500.0;
        QTest::newRow("milioni") << " -1.234.567,25 " << true << -1234567.25;
        QTest::newRow("virgola") << "2,5" << true << 2.5;
        QTest::newRow("zero negativo") << "-0" << true << 0.0;
        QTest::newRow("punto decimale") << "2.5" << false << 0.0;
        QTest::newRow("gruppo lungo") << "1.5000" << false << 0.0;
        QTest::newRow("primo gruppo lungo") << "1234.567" << false << 0.0;
        QTest::newRow("esponente") << "1e5" << false << 0.0;
        QTest::newRow("due virgole") << "1,2,3" << false << 0.0;
        QTest::newRow("virgola sola") << "3," << false << 0.0;
        QTest::newRow("vuoto") << " " << false << 0.0;
    }

    // Every typed text is read exactly or refused; "-0" is 0, never a negative zero.
    void numeriDigitati() {
        QFETCH(QString, testo);
        QFETCH(bool, valido);
        QFETCH(double, numero);
        bool ok = !valido;
        const double letto = utNumeroDigitato(testo, &ok);
        QCOMPARE(ok, valido);
        QCOMPARE(letto, numero);
        QCOMPARE(std::signbit(letto), numero < 0);
        // Whole numbers: decimals other than zero and numbers beyond int are refused.
        utInteroDigitato(testo, &ok);
        QCOMPARE(ok, valido && numero == std::trunc(numero));
    }

    void interiDigitati() {
        bool ok = false;
        QCOMPARE(utInteroDigitato("7,0", &ok), 7);
        QVERIFY(ok);
        utInteroDigitato("3.000.000.000", &ok);
        QVERIFY(!ok);
    }

    void unaRiga() {
        QCOMPARE(utUnaRiga(QStringLiteral("Via Roma\r\n12\tint.") + QChar(1) +
                           QStringLiteral("3\u2028B")),
                 QStringLiteral("Via Roma 12 int. 3 B"));
        QCOMPARE(utUnaRiga(QStringLiteral("Città")), QStringLiteral("Città"));
    }
};

QTEST_GUILESS_MAIN(TestUtility)
#include "tst_utility.moc"
