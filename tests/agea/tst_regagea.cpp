// The register page window on March 2024, driven as the user drives it: cells, paging, the
// sheet buttons for the number of AGEA articles, and the prints checked in the PDF.

#include "ProgrammaProva.h"
#include "TfrmRegagea.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QtTest>

namespace {
using Tipo = Messaggi::Tipo;

const QString PRONTA = QStringLiteral("Premere OK quando la stampante è pronta.");
const QString SERIE =
    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 60) ";

// March 2024: receipt "12A" (no supplier, LATTE +1), then distributions 1 to 29 a day apart
// (no. 0 on the 2nd; reason 4 "{dest} e {dest}" for 4 on the 3rd; 1 person on the 4th),
// each 1 kg of RISO (100); PASTA (10) -0.3 on the first four, OLIO (0) -2.55 on the fifth.
const QStringList MESE = {
    "INSERT INTO articoli (ID, descr, agea, um_id, giacenza) VALUES (1, 'A PASTA', 1, 1, 10), "
    "(2, 'B LATTE', 1, 3, 12.37), (3, 'C OLIO', 1, 3, 0), (4, 'D RISO', 1, 1, 100)",
    "UPDATE lstCausali SET descr = '{dest} e {dest}' WHERE ID = 4",
    "INSERT INTO carichi_mast (ID, data, nrDocumento, fornitore_id) VALUES "
    "(1, '2024-03-01', '12A', 0)",
    "INSERT INTO carichi_dett (master_id, articoli_id, qta) VALUES (1, 2, 1)",
    "INSERT INTO scarichi_mast (ID, data, nominativi_id, nrDocumento, causali_id, nrBeneficiati) " +
        SERIE +
        "SELECT i, printf('2024-03-%02d', i), 0, CASE i WHEN 2 THEN 0 ELSE i END, "
        "CASE i WHEN 3 THEN 4 ELSE 1 END, CASE i WHEN 3 THEN 4 WHEN 4 THEN 1 ELSE 2 END "
        "FROM n WHERE i <= 29",
    "INSERT INTO scarichi_dett (master_id, articoli_id, qta) SELECT ID, 4, 1 FROM scarichi_mast",
    "INSERT INTO scarichi_dett (master_id, articoli_id, qta) VALUES (1, 1, 0.3), (2, 1, 0.3), "
    "(3, 1, 0.3), (4, 1, 0.3), (5, 3, 2.55)"};

// `n` AGEA articles beyond those of MESE, none of them moved.
QString articoli(int n) {
    return "INSERT INTO articoli (descr, agea, um_id) " + SERIE +
           QStringLiteral("SELECT printf('Z%02d', i), 1, 1 FROM n WHERE i <= %1").arg(n);
}

// The register window of the program, opened on "Marzo 2024" as the tab opens it.
struct Registro : ProgrammaProva {
    // `errore`: the message the window is expected to show as it opens.
    explicit Registro(const QStringList& sql, const QString& errore = {}) : ProgrammaProva(sql) {
        if (!errore.isEmpty())
            messaggi().attendi(Messaggi::Tipo::Errore, errore);
        mesi.addItem(QStringLiteral("Marzo 2024"));
        finestra = std::make_unique<TfrmRegagea>(dati(), messaggi(), main().percorsi());
        finestra->impostaSceltaMese(&mesi);
        finestra->show();
    }
    ~Registro() { finestra->hide(); }
    QString cella(int riga, int colonna) const { return finestra->disegno().celle[riga][colonna]; }
    // The cells of a row from `da` to `a`, joined by "|".
    QString riga(int r, int da = 0, int a = DisegnoRegagea::COLONNE - 1) const {
        QStringList celle;
        for (int c = da; c <= a; ++c)
            celle << cella(r, c);
        return celle.join('|');
    }
    bool premi(const QString& nome) {
        auto* p = finestra->findChild<QAbstractButton*>(nome);
        if (!p || !p->isVisible())
            return false;
        p->click();
        return true;
    }
    QString pagina() const {
        return finestra->disegno().lblPagNo + '/' + finestra->disegno().prn_lblPagLett;
    }
    QComboBox mesi;
    std::unique_ptr<TfrmRegagea> finestra;
};

// The text of each page of a PDF, blanks collapsed.
QStringList pagine(const QString& pdf) {
    QStringList testi = ProgrammaProva::testoPdf(pdf).split('\f', Qt::SkipEmptyParts);
    for (QString& t : testi)
        t = t.simplified();
    return testi;
}
} // namespace

class TestRegagea : public QObject {
    Q_OBJECT

private slots:
    void paginazione_data() {
        QTest::addColumn<int>("distribuzioni");
        QTest::addColumn<int>("pagine");
        QTest::addColumn<QString>("riporto"); // RISO carried to the last page
        QTest::addColumn<QString>("ultima");  // its first movement row
        QTest::newRow("23 righe") << 22 << 1 << "100"
                                  << "01/03/2024|---";
        QTest::newRow("24 righe") << 23 << 2 << "77"
                                  << "|";
        QTest::newRow("30 righe") << 29 << 2 << "77"
                                  << "24/03/2024|24";
    }
    void paginazione() {
        QFETCH(int, distribuzioni);
        QFETCH(int, pagine);
        QFETCH(QString, riporto);
        QFETCH(QString, ultima);
        Registro r(MESE + QStringList{articoli(1),
                                      QStringLiteral("DELETE FROM scarichi_mast WHERE ID > %1")
                                          .arg(distribuzioni)});
        QVERIFY(r.premi("vid_btnFoglioB"));
        QVERIFY(!r.premi("vid_btnFoglioC"));
        for (int n = 1; n < pagine; ++n)
            QVERIFY(r.premi("vid_btnNextPag"));
        QCOMPARE(r.pagina(), QString::number(pagine) + "/B");
        // Beyond the last page and before the first nothing changes.
        QVERIFY(r.premi("vid_btnNextPag"));
        QCOMPARE(r.finestra->disegno().lblPagNo, QString::number(pagine));
        // Sheet B holds Z01 alone; sheet A on the same page carries RISO's stock in.
        QCOMPARE(r.riga(0, 6, 17), QString("|||||||||||"));
        QVERIFY(r.premi("vid_btnFoglioA"));
        QCOMPARE(r.cella(0, 17), riporto);
        QCOMPARE(r.riga(1, 0, 1), ultima);
        // One month only: the month buttons do not move.
        QVERIFY(r.premi("vid_btnPrevMonth"));
        QCOMPARE(r.finestra->mese(), QDate(2024, 3, 1));
        SENZA_PROBLEMI(r);
    }

    void fogli_data() {
        QTest::addColumn<int>("agea");
        QTest::addColumn<QString>("lettere"); // the sheet buttons shown
        QTest::newRow("nessuno") << 0 << "";
        QTest::newRow("40") << 40 << "ABCDEFGHIJ";
        QTest::newRow("56") << 56 << "ABCDEFGHIJKLMN";
        QTest::newRow("57") << 57 << ""; // the window says so and closes
    }
    void fogli() {
        QFETCH(int, agea);
        QFETCH(QString, lettere);
        Registro r(MESE +
                       QStringList{agea == 0 ? "UPDATE articoli SET agea = 0" : articoli(agea - 4)},
                   agea > 56 ? "Troppi articoli AGEA in anagrafica. Contattare Brevantoria." : "");
        QTRY_COMPARE(r.finestra->isVisible(), agea <= 56);
        QString visibili;
        for (QChar l = 'A'; l <= 'N'; l = QChar(l.unicode() + 1)) {
            if (r.finestra->findChild<QWidget*>(QString("vid_btnFoglio") + l)->isVisible())
                visibili += l;
        }
        QCOMPARE(visibili, lettere);
        if (agea == 40 || agea == 0) {
            // Sheet J printed after I; without AGEA articles the cover alone.
            r.messaggi().attendi(Tipo::OkAnnulla, PRONTA);
            QVERIFY(r.premi("vid_btnStampa"));
            const QStringList testi = pagine(r.stampe().constFirst());
            QCOMPARE(testi.size(), 1 + 2 * lettere.size());
            QVERIFY(testi[0].contains(QString("composto da %1 pagine").arg(2 * lettere.size())));
            QVERIFY(!testi[0].contains("@"));
            if (agea == 40) {
                QVERIFY(testi[0].contains("dalla n. 1/A alla n. 2/J"));
                QVERIFY(testi[10].contains("pagina n. 1 / J"));
                QVERIFY(testi[20].contains("pagina n. 2 / J"));
            }
        }
        SENZA_PROBLEMI(r);
    }

    // Guards the cells of the first page, then with 10 AGEA articles and 30 rows one job of
    // cover and six sheets 1/A .. 2/C, the sheet alone, and no sheet pressed.
    void primaPaginaEStampe() {
        Registro r(MESE + QStringList{articoli(6)});
        QCOMPARE(r.pagina(), QString("1/A"));
        // Carried-forward row: opening stocks as they are (12.37 not cut), units.
        QCOMPARE(r.riga(0), QString("RIPORTO|---|kg|||10|litri|||12,37|litri|||0|kg|||100|/"));
        // The receipt: number "12A" and no supplier; only LATTE moves, cut to 13.3.
        QCOMPARE(r.riga(1), QString("01/03/2024|---||||||1||13,3|||||||||/"));
        // PASTA 10 - 0.3 four times: 9.7, 9.4, 9.1, 8.8, no drift.
        QCOMPARE(r.riga(2), QString("01/03/2024|1|||0,3|9,7|||||||||||1|99|2 indigenti"));
        QCOMPARE(r.riga(3, 0, 5), QString("02/03/2024|---|||0,3|9,4"));
        QCOMPARE(r.cella(4, 18), QString("4 e 4"));
        QCOMPARE(r.riga(5, 4, 5), QString("0,3|8,8"));
        QCOMPARE(r.cella(5, 18), QString("1 indigente"));
        // OLIO 0 - 2.55 is cut towards minus infinity; rows without OLIO leave it empty.
        QCOMPARE(r.riga(6, 10, 13), QString("||2,55|-2,6"));
        QCOMPARE(r.riga(7, 10, 13), QString("|||"));

        // The organisation typed on "Utilità" after the window opened reaches every page.
        QVERIFY(r.vaiScheda("tsUtilita"));
        QVERIFY(r.clicca("btnAzModifica"));
        QVERIFY(r.sostituisci("edtAz_ragsoc", "Caritas San Rocco"));
        QVERIFY(r.clicca("btnAzConferma"));
        QVERIFY(r.premi("vid_btnFoglioB"));
        r.messaggi().attendi(Tipo::OkAnnulla, PRONTA);
        QVERIFY(r.premi("vid_btnStampa"));
        QVERIFY(QFileInfo(r.stampe().value(0)).fileName().startsWith("Marzo 2024 "));
        const QStringList testi = pagine(r.stampe().constFirst());
        QCOMPARE(testi.size(), 7);
        QVERIFY2(testi[0].contains("composto da 6 pagine numerate dalla n. 1/A alla n. 2/C"),
                 qPrintable(testi[0]));
        const QStringList ordine = {"1 / A", "1 / B", "1 / C", "2 / A", "2 / B", "2 / C"};
        for (int i = 0; i < testi.size(); ++i) {
            QVERIFY(testi[i].contains("Caritas San Rocco"));
            QVERIFY(i == 0 || testi[i].contains("pagina n. " + ordine[i - 1]));
            QVERIFY(!testi[i].contains("Stampa tutto il mese"));
        }
        QVERIFY(testi[4].contains("RIPORTO") && testi[4].contains("24/03/2024"));
        QCOMPARE(r.pagina(), QString("1/B"));

        // The sheet on screen alone, titled with its page and letter.
        r.messaggi().attendi(Tipo::OkAnnulla, PRONTA);
        QVERIFY(r.premi("vid_btnStampaFoglio"));
        QCOMPARE(r.stampe().size(), 2);
        QVERIFY(QFileInfo(r.stampe().constLast())
                    .fileName()
                    .startsWith("Marzo 2024 - pag.1 - foglio B "));
        QCOMPARE(pagine(r.stampe().constLast()).size(), 1);
        // Annulla at the printer question prints nothing.
        r.messaggi().attendi(Tipo::OkAnnulla, PRONTA, false);
        QVERIFY(r.premi("vid_btnStampa"));
        QCOMPARE(r.stampe().size(), 2);

        // No sheet pressed: the window says so, closes and draws nothing.
        auto* fogli = r.finestra->findChild<QButtonGroup*>();
        fogli->setExclusive(false);
        fogli->checkedButton()->setChecked(false);
        r.messaggi().attendi(Tipo::Errore, "Errore #REG01");
        QVERIFY(r.premi("vid_btnNextPag"));
        QTRY_VERIFY(!r.finestra->isVisible());
        QCOMPARE(r.pagina(), QString("1/B"));
        SENZA_PROBLEMI(r);
    }
};

QTEST_MAIN(TestRegagea)
#include "tst_regagea.moc"
