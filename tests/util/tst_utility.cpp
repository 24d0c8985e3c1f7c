#include "Utilitylibrary.h"

#include <QTest>
#include <cmath>

class TestUtility : public QObject {
    Q_OBJECT

private slots:
    void sinistraDestraDa();
    void posDa();
    void sostituisci();
    void testoTra();
    void partiDellaData();
    void nomiEAbbreviazioniDeiMesi();
    void etichetteDeiMesi();
    void etichettaNonValida_data();
    void etichettaNonValida();
    void limitiMese_data();
    void limitiMese();
    void letteraliSql();
    void testiDelleDate();
    void testiDeiNumeri();
    void numeriDigitati_data();
    void numeriDigitati();
    void unaRiga();
};

void TestUtility::sinistraDestraDa() {
    QCOMPARE(utSinistra("a", 0), QString());
    QCOMPARE(utSinistra("abc", 2), QStringLiteral("ab"));
    QCOMPARE(utSinistra("abc", 9), QStringLiteral("abc"));
    QCOMPARE(utSinistra("abc", -1), QString());

    QCOMPARE(utDestra("", 3), QString());
    QCOMPARE(utDestra("abc", 2), QStringLiteral("bc"));
    QCOMPARE(utDestra("abc", 9), QStringLiteral("abc"));
    QCOMPARE(utDestra("abc", 0), QString());
    QCOMPARE(utDestra("abc", -1), QString());

    QCOMPARE(utDa("abcdef", 3), QStringLiteral("cdef"));
    QCOMPARE(utDa("abc", 1), QStringLiteral("abc"));
    QCOMPARE(utDa("abc", 3), QStringLiteral("c"));
    QCOMPARE(utDa("abc", 4), QString());
    QCOMPARE(utDa("abc", 0), QStringLiteral("abc"));
}

void TestUtility::posDa() {
    QCOMPARE(utPosDa("abcabc", "bc", 1), 2);
    QCOMPARE(utPosDa("abcabc", "bc", 2), 2);
    QCOMPARE(utPosDa("abcabc", "bc", 3), 5);
    QCOMPARE(utPosDa("abcabc", "bc", 6), 0);
    QCOMPARE(utPosDa("abc", "x", 1), 0);
    QCOMPARE(utPosDa("abc", "A", 1), 0);
    QCOMPARE(utPosDa("abc", "", 1), 0);
    QCOMPARE(utPosDa("abc", "a", 0), 1);
}

void TestUtility::sostituisci() {
    // The search resumes after each inserted r, so a letter replaced by itself doubled is
    // doubled once and the loop ends.
    QCOMPARE(utSostituisci("banana", "a", "aa"), QStringLiteral("baanaanaa"));
    QCOMPARE(utSostituisci("l'olio d'oliva", "'", "''"), QStringLiteral("l''olio d''oliva"));
    QCOMPARE(utSostituisci("aaaaa", "aa", "b"), QStringLiteral("bba"));
    QCOMPARE(utSostituisci("xax", "x", "yy"), QStringLiteral("yyayy"));
    QCOMPARE(utSostituisci("a.b.c", ".", ""), QStringLiteral("abc"));
    QCOMPARE(utSostituisci("Abc abc", "a", "x"), QStringLiteral("Abc xbc"));
    QCOMPARE(utSostituisci("abc", "", "x"), QStringLiteral("abc"));
}

void TestUtility::testoTra() {
    QCOMPARE(utTestoTra("<v>1.2.3</v>", "<v>", "</v>"), QStringLiteral("1.2.3"));
    QCOMPARE(utTestoTra("x]y[z]w]", "[", "]"), QStringLiteral("z"));
    QCOMPARE(utTestoTra("a|b|c", "|", "|"), QStringLiteral("b"));
    QCOMPARE(utTestoTra("abc", "[", "]"), QString());
    QCOMPARE(utTestoTra("a[bc", "[", "]"), QString());
}

void TestUtility::partiDellaData() {
    const QDate d(2024, 3, 5);
    QCOMPARE(utGiorno(d), 5);
    QCOMPARE(utMese(d), 3);
    QCOMPARE(utAnno(d), 2024);
    QCOMPARE(utIndiceMese(d), 202403);
    QVERIFY(utIndiceMese(QDate(2023, 12, 31)) < utIndiceMese(QDate(2024, 1, 1)));

    const QDate prima(2023, 12, 31);
    QCOMPARE(utDataMin(d, prima), prima);
    QCOMPARE(utDataMin(prima, d), prima);
    QCOMPARE(utDataMax(d, prima), d);
    QCOMPARE(utDataMax(prima, d), d);
}

void TestUtility::nomiEAbbreviazioniDeiMesi() {
    QCOMPARE(utNomeMese(1), QStringLiteral("Gennaio"));
    QCOMPARE(utNomeMese(12), QStringLiteral("Dicembre"));
    QCOMPARE(utNomeMese(0), QStringLiteral("boh?"));
    QCOMPARE(utNomeMese(13), QStringLiteral("boh?"));
    const QStringList abbreviazioni = {"GEN", "FEB", "MAR", "APR", "MAG", "GIU",
                                       "LUG", "AGO", "SET", "OTT", "NOV", "DIC"};
    for (int mese = 1; mese <= 12; ++mese) {
        QCOMPARE(utNumeroMese(abbreviazioni[mese - 1]), mese);
        QCOMPARE(utNomeMese(mese).left(3).toUpper(), abbreviazioni[mese - 1]);
    }
    QCOMPARE(utNumeroMese("gen"), 0);
    QCOMPARE(utNumeroMese("Gen"), 0);
    QCOMPARE(utNumeroMese("GENN"), 0);
    QCOMPARE(utNumeroMese(""), 0);
}

void TestUtility::etichetteDeiMesi() {
    QCOMPARE(utMeseAnno(QDate(2024, 3, 15)), QStringLiteral("Marzo 2024"));
    QCOMPARE(utDataDaMeseAnno("Febbraio 2024"), QDate(2024, 2, 1));
    QCOMPARE(utDataDaMeseAnno("dicembre 1999"), QDate(1999, 12, 1));
    for (int mese = 1; mese <= 12; ++mese) {
        const QDate d(2025, mese, 17);
        QCOMPARE(utDataDaMeseAnno(utMeseAnno(d)), QDate(2025, mese, 1));
    }
}

void TestUtility::etichettaNonValida_data() {
    QTest::addColumn<QString>("etichetta");
    QTest::newRow("vuota") << "";
    QTest::newRow("corta") << "Mar";
    QTest::newRow("mese sconosciuto") << "Foo 2024";
    QTest::newRow("anno non numerico") << "Marzo 20x4";
}

void TestUtility::etichettaNonValida() {
    QFETCH(QString, etichetta);
    QVERIFY_THROWS_EXCEPTION(Errore, utDataDaMeseAnno(etichetta));
}

void TestUtility::limitiMese_data() {
    QTest::addColumn<QDate>("giorno");
    QTest::addColumn<QDate>("primo");
    QTest::addColumn<QDate>("ultimo");
    QTest::newRow("febbraio bisestile")
        << QDate(2024, 2, 15) << QDate(2024, 2, 1) << QDate(2024, 2, 29);
    QTest::newRow("febbraio") << QDate(2023, 2, 28) << QDate(2023, 2, 1) << QDate(2023, 2, 28);
    QTest::newRow("dicembre") << QDate(2024, 12, 1) << QDate(2024, 12, 1) << QDate(2024, 12, 31);
    QTest::newRow("trenta giorni") << QDate(2024, 4, 30) << QDate(2024, 4, 1) << QDate(2024, 4, 30);
}

void TestUtility::limitiMese() {
    QFETCH(QDate, giorno);
    QFETCH(QDate, primo);
    QFETCH(QDate, ultimo);
    const auto [inizio, fine] = utLimitiMese(giorno);
    QCOMPARE(inizio, primo);
    QCOMPARE(fine, ultimo);
}

void TestUtility::letteraliSql() {
    QCOMPARE(utDataSql(QDate(2024, 3, 5)), QStringLiteral("#3/5/2024#"));
    QCOMPARE(utDataSql(QDate(2023, 12, 25)), QStringLiteral("#12/25/2023#"));

    QCOMPARE(utNumeroSql(1.25), QStringLiteral("1.25"));
    QCOMPARE(utNumeroSql(3), QStringLiteral("3"));
    QCOMPARE(utNumeroSql(0.1), QStringLiteral("0.1"));
    QCOMPARE(utNumeroSql(0.1 + 0.2), QStringLiteral("0.3"));
    QCOMPARE(utNumeroSql(-2.6), QStringLiteral("-2.6"));
    QCOMPARE(utNumeroSql(-0.0), QStringLiteral("0"));
    QCOMPARE(utNumeroSql(1234567.5), QStringLiteral("1234567.5"));
}

void TestUtility::testiDelleDate() {
    const QDate d(2024, 3, 5);
    QCOMPARE(utTestoData(d), QStringLiteral("05/03/2024"));
    QCOMPARE(utTestoDataOra(QDateTime(d, QTime(14, 7, 9))), QStringLiteral("05/03/2024 14:07:09"));
    QCOMPARE(utTestoDataOra(QDateTime(d, QTime(0, 0))), QStringLiteral("05/03/2024"));
    QCOMPARE(utTestoDataOra(QDateTime(d, QTime(0, 0, 1))), QStringLiteral("05/03/2024 00:00:01"));

    QCOMPARE(utDataDaTesto("05/03/2024"), d);
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

void TestUtility::testiDeiNumeri() {
    QCOMPARE(utTestoNumero(2.5), QStringLiteral("2,5"));
    QCOMPARE(utTestoNumero(3), QStringLiteral("3"));
    QCOMPARE(utTestoNumero(0.1), QStringLiteral("0,1"));
    QCOMPARE(utTestoNumero(12.37), QStringLiteral("12,37"));
    QCOMPARE(utTestoNumero(-2.6), QStringLiteral("-2,6"));
    QCOMPARE(utTestoNumero(0.1 + 0.2), QStringLiteral("0,3"));
    QCOMPARE(utTestoNumero(1234567.25), QStringLiteral("1234567,25"));
    QCOMPARE(utTestoNumero(-0.0), QStringLiteral("0"));

    bool ok = false;
    QCOMPARE(utNumeroDaTesto("2,5", &ok), 2.5);
    QVERIFY(ok);
    QCOMPARE(utNumeroDaTesto(" 2.5 ", &ok), 2.5);
    QVERIFY(ok);
    QCOMPARE(utNumeroDaTesto("-12", &ok), -12.0);
    QVERIFY(ok);
    utNumeroDaTesto("", &ok);
    QVERIFY(!ok);
    utNumeroDaTesto("due", &ok);
    QVERIFY(!ok);
    utNumeroDaTesto("1.234,5", &ok);
    QVERIFY(!ok);
    for (double n : {0.1, 2.5, 12.37, -2.6, 1234567.25})
        QCOMPARE(utNumeroDaTesto(utTestoNumero(n)), n);
}

void TestUtility::numeriDigitati_data() {
    QTest::addColumn<QString>("testo");
    QTest::addColumn<bool>("valido");
    QTest::addColumn<double>("numero");
    QTest::newRow("migliaia") << "1.500" << true << 1500.0;
    QTest::newRow("migliaia e decimali") << "12.000,50" << true << 12000.5;
    QTest::newRow("milioni") << " -1.234.567,25 " << true << -1234567.25;
    QTest::newRow("virgola") << "2,5" << true << 2.5;
    QTest::newRow("zero negativo") << "-0" << true << 0.0;
    QTest::newRow("punto decimale") << "2.5" << false << 0.0;
    QTest::newRow("gruppo lungo") << "1.5000" << false << 0.0;
    QTest::newRow("primo gruppo lungo") << "1234.567" << false << 0.0;
    QTest::newRow("esponente") << "1e5" << false << 0.0;
    QTest::newRow("parola") << "abc" << false << 0.0;
    QTest::newRow("due virgole") << "1,2,3" << false << 0.0;
    QTest::newRow("virgola sola") << "3," << false << 0.0;
    QTest::newRow("vuoto") << " " << false << 0.0;
}

// Every typed text is read exactly or refused; "-0" is 0, never a negative zero.
void TestUtility::numeriDigitati() {
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
    QCOMPARE(utInteroDigitato("7,0", &ok), 7);
    QVERIFY(ok);
    utInteroDigitato("3.000.000.000", &ok);
    QVERIFY(!ok);
}

void TestUtility::unaRiga() {
    QCOMPARE(
        utUnaRiga(QStringLiteral("Via Roma\r\n12\tint.") + QChar(1) + QStringLiteral("3\u2028B")),
        QStringLiteral("Via Roma 12 int. 3 B"));
    QCOMPARE(utUnaRiga(QStringLiteral("Città")), QStringLiteral("Città"));
}

QTEST_GUILESS_MAIN(TestUtility)
#include "tst_utility.moc"
