// The "Registro" tab driven as the user drives it: the month's register of one AGEA article,
// the register page window it opens, and the prints of the report host.

#include "ProgrammaProva.h"
#include "TfrmRegagea.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFileInfo>
#include <QtTest>

namespace {
using Tipo = Messaggi::Tipo;

const QString PRONTA = QStringLiteral("Premere OK quando la stampante è pronta.");

// AGEA PASTA (stock 10) and LATTE UHT. Feb 2013: 0.13 pasta out. Mar 2013: receipt A7, no
// supplier; delivery no. 0 to 4 persons (pasta 2.75); no. 5 thrown away (milk 1).
const QStringList MOVIMENTI = {
    "INSERT INTO articoli (ID, descr, agea, um_id, giacenza) VALUES (1, 'PASTA', 1, 1, 10), "
    "(2, 'LATTE UHT', 1, 3, 0), (3, 'BISCOTTI', 0, 4, 0)",
    "INSERT INTO carichi_mast (ID, data, nrDocumento, fornitore_id) VALUES (1, '2013-03-01', "
    "'A7', 0)",
    "INSERT INTO carichi_dett (master_id, articoli_id, qta) VALUES (1, 1, 5.25), (1, 2, 2)",
    "INSERT INTO scarichi_mast (ID, data, nominativi_id, nrDocumento, causali_id, nrBeneficiati) "
    "VALUES (1, '2013-02-10', 0, 1, 2, 0), (2, '2013-03-02', 0, 0, 1, 4), "
    "(3, '2013-03-03', 0, 5, 2, 0)",
    "INSERT INTO scarichi_dett (master_id, articoli_id, qta) VALUES (1, 1, 0.13), (2, 1, 2.75), "
    "(3, 2, 1)"};

const QString TESTATA = "DATA|N.DOC.|Unità mis.|CARICO|SCARICO|GIAC.ZA|DESTINATARIO";

// The program on the "Registro" tab.
struct Registro : ProgrammaProva {
    explicit Registro(const QStringList& sql, bool solaLettura = false)
        : ProgrammaProva(sql, solaLettura) {
        QVERIFY(vaiScheda("tsRapporti"));
    }
    QComboBox* mesi() const { return trova<QComboBox>("cbxRegMese"); }
    bool scegliMese(const QString& etichetta) {
        const int voce = mesi()->findText(etichetta);
        while (voce >= 0 && mesi()->currentIndex() != voce)
            QTest::keyClick(mesi(), mesi()->currentIndex() < voce ? Qt::Key_Down : Qt::Key_Up);
        return mesi()->currentText() == etichetta;
    }
    bool nessunMovimento() const { return trova("pnlNessunMovimento")->isVisible(); }
    QString parametro(const QString& nome) const {
        return valore("SELECT " + nome + " FROM parametri").toString();
    }
};
} // namespace

class TestRegistro : public QObject {
    Q_OBJECT

private slots:
    // Guards the month's register (carried-forward row, "---" for number 0 only, stock not
    // rounded, the empty month's notice, the month parameters), the page window opened on
    // the tab's month and the month written back once it closes, the prints (every article
    // with "0" while the host runs, the selected one after, Cancel writing and printing
    // nothing), and the article and month kept across a change of tab.
    void registroDelMese() {
        Registro r(MOVIMENTI);
        QCOMPARE(r.mesi()->count(), 2);
        QCOMPARE(r.mesi()->currentText(), "Febbraio 2013");
        QCOMPARE(r.rigaCorrente("grArtAgea"), "LATTE UHT");
        QCOMPARE(r.elenco("grVideoAgea"), QStringList({TESTATA, "RIPORTO|---|litri|||0|/"}));
        QVERIFY(r.nessunMovimento());
        QVERIFY(r.scegliMese("Marzo 2013"));
        QVERIFY(r.cliccaRiga("grArtAgea", 1));
        QVERIFY(!r.nessunMovimento());
        QCOMPARE(r.elenco("grVideoAgea"),
                 QStringList({TESTATA, "RIPORTO|---|kg|||9,87|/", "01/03/2013|A7||5,25||15,12|/",
                              "02/03/2013|---|||2,75|12,37|4 indigenti"}));
        QCOMPARE(r.parametro("Pivot_giac_data"), "2013-03-01");

        QDate aperto;
        QString spostato;
        r.messaggi().attendiDialogo([&](QDialog& d) {
            d.show();
            aperto = static_cast<TfrmRegagea&>(d).mese();
            QTest::mouseClick(d.findChild<QAbstractButton*>("vid_btnPrevMonth"), Qt::LeftButton);
            spostato = r.parametro("Pivot_mese");
            d.hide();
            return QDialog::Rejected;
        });
        QVERIFY(r.clicca("btnApriRegagea"));
        QCOMPARE(aperto, QDate(2013, 3, 1));
        QCOMPARE(spostato, "2013-02-01");
        QCOMPARE(r.parametro("Pivot_mese"), "2013-03-01");

        for (const char* pulsante : {"btnRegStampa", "btnRegStampaTutti"})
            r.trova(pulsante)->show();
        r.messaggi().attendi(Tipo::OkAnnulla, PRONTA, true);
        const QString tutti = r.stampa("btnRegStampaTutti");
        QVERIFY(QFileInfo(r.stampe().constFirst())
                    .fileName()
                    .startsWith("Registro di carico e scarico dei prodotti AGEA - Marzo 2013 "));
        QVERIFY(tutti.contains("Tutti i prodotti AGEA") && tutti.contains("LATTE UHT"));
        QCOMPARE(r.parametro("Regagea_Articolo_ID"), "1");
        r.messaggi().attendi(Tipo::OkAnnulla, PRONTA, true);
        const QString uno = r.stampa("btnRegStampa");
        QVERIFY(uno.contains("PASTA") && !uno.contains("LATTE UHT"));
        r.esegui("UPDATE parametri SET Regagea_Articolo_ID = 99");
        for (const char* pulsante : {"btnRegStampa", "btnRegStampaTutti"}) {
            r.messaggi().attendi(Tipo::OkAnnulla, PRONTA, false);
            QVERIFY(r.clicca(pulsante));
        }
        QCOMPARE(r.parametro("Regagea_Articolo_ID"), "99");
        QCOMPARE(r.stampe().size(), 2);

        QVERIFY(r.vaiScheda("tsMenu"));
        r.esegui("INSERT INTO scarichi_dett (master_id, articoli_id, qta) VALUES (3, 1, 0.37)");
        QVERIFY(r.vaiScheda("tsRapporti"));
        QCOMPARE(r.rigaCorrente("grArtAgea"), "PASTA");
        QCOMPARE(r.mesi()->currentText(), "Marzo 2013");
        QCOMPARE(r.elenco("grVideoAgea").last(),
                 "03/03/2013|5|||0,37|12|Eliminazione per scadenza");
        // The month kept has no movements left: the earliest month.
        QVERIFY(r.vaiScheda("tsMenu"));
        r.esegui("DELETE FROM carichi_mast");
        r.esegui("DELETE FROM scarichi_mast WHERE data >= '2013-03-01'");
        QVERIFY(r.vaiScheda("tsRapporti"));
        QCOMPARE(r.mesi()->count(), 1);
        QCOMPARE(r.rigaCorrente("grArtAgea"), "PASTA");
        QCOMPARE(r.elenco("grVideoAgea").last(),
                 "10/02/2013|1|||0,13|9,87|Eliminazione per scadenza");
        SENZA_PROBLEMI(r);
    }

    // Guards no movements (nothing offered), and no AGEA article: empty register, no print.
    void senzaMovimentiNeArticoli() {
        Registro r({});
        QCOMPARE(r.mesi()->count(), 0);
        QVERIFY(r.abilitati(
            {"cbxRegMese", "grArtAgea", "grVideoAgea", "btnApriRegagea", "btnRegStampa"}, false));

        QVERIFY(r.vaiScheda("tsMenu"));
        r.esegui("INSERT INTO articoli (ID, descr, agea, um_id) VALUES (3, 'BISCOTTI', 0, 4)");
        r.esegui("INSERT INTO carichi_mast (ID, data, nrDocumento) VALUES (1, '2013-03-01', '1')");
        r.esegui("INSERT INTO carichi_dett (master_id, articoli_id, qta) VALUES (1, 3, 1)");
        QVERIFY(r.vaiScheda("tsRapporti"));
        QCOMPARE(r.mesi()->currentText(), "Marzo 2013");
        QVERIFY(r.abilitati({"cbxRegMese", "btnApriRegagea"}, true));
        QCOMPARE(r.elenco("grVideoAgea"), QStringList{TESTATA});
        QVERIFY(r.nessunMovimento());
        r.trova("btnRegStampaTutti")->show();
        QVERIFY(r.clicca("btnRegStampaTutti"));
        QVERIFY(r.stampe().isEmpty());
        SENZA_PROBLEMI(r);
    }

    // Guards a read-only file: the register shown and a card printed, the file intact.
    void databaseSolaLettura() {
        Registro r(MOVIMENTI +
                       QStringList{"INSERT INTO nominativi (ID, cognome, nome, numFamiliari) "
                                   "VALUES (7, 'VERDI', 'Ugo', 2)",
                                   "INSERT INTO scarichi_mast (ID, data, nominativi_id, "
                                   "nrDocumento, causali_id, nrBeneficiati) VALUES (4, "
                                   "date('now'), 7, 9, 1, 2)",
                                   "INSERT INTO scarichi_dett (master_id, articoli_id, qta) "
                                   "VALUES (4, 2, 1)"},
                   true);
        QFile db(r.cartella().fileDb());
        QVERIFY(db.open(QIODevice::ReadOnly));
        const QByteArray prima = db.readAll();
        db.close();
        QVERIFY(r.scegliMese("Marzo 2013"));
        QVERIFY(r.cliccaRiga("grArtAgea", 1));
        QCOMPARE(r.elenco("grVideoAgea").last(), "02/03/2013|---|||2,75|12,37|4 indigenti");

        QVERIFY(r.vaiScheda("tsScarichi"));
        r.messaggi().attendi(Tipo::OkAnnulla, PRONTA, true);
        const QString scheda = r.stampa("btnScarStampa");
        QVERIFY2(scheda.contains("VERDI") && scheda.contains("LATTE UHT"), qPrintable(scheda));
        QVERIFY(db.open(QIODevice::ReadOnly) && db.readAll() == prima);
        SENZA_PROBLEMI(r);
    }
};

QTEST_MAIN(TestRegistro)
#include "tst_schedaregistro.moc"
