// The "Registro" tab of the main window driven as the user drives it: the month's register
// of one AGEA article, the article and month kept across a change of tab, the register
// page window it opens, and the report-host prints with the article they name.

#include "ProgrammaProva.h"
#include "TfrmRegagea.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCryptographicHash>
#include <QFileInfo>
#include <QtTest>

namespace {
using Tipo = Messaggi::Tipo;

const QString PRONTA = QStringLiteral("Premere OK quando la stampante è pronta.");

// PASTA (kg, opening stock 10) and LATTE UHT (litri) are AGEA articles. February 2013: 0.13
// kg of pasta out. March 2013: receipt A7 without supplier (pasta 5.25, milk 2), delivery
// no. 0 to 4 persons (pasta 2.75), and no. 5 thrown away (milk 1, no pasta).
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
    // Guards the register of a month: the carried-forward row, the rows without the
    // article dropped, "---" for number 0 only, the recipient text, the stock not rounded,
    // the notice of an empty month, and the month parameters written.
    void grigliaDelMese() {
        Registro r(MOVIMENTI);
        QCOMPARE(r.mesi()->count(), 2);
        QCOMPARE(r.mesi()->currentText(), "Febbraio 2013");
        QCOMPARE(r.elenco("grArtAgea"), QStringList({"LATTE UHT", "PASTA"}));
        QCOMPARE(r.rigaCorrente("grArtAgea"), "LATTE UHT");
        QCOMPARE(r.elenco("grVideoAgea"), QStringList({TESTATA, "RIPORTO|---|litri|||0|/"}));
        QVERIFY(r.nessunMovimento());

        QVERIFY(r.scegliMese("Marzo 2013"));
        QVERIFY(r.cliccaRiga("grArtAgea", 1));
        QVERIFY(!r.nessunMovimento());
        QCOMPARE(r.elenco("grVideoAgea"),
                 QStringList({TESTATA, "RIPORTO|---|kg|||9,87|/", "01/03/2013|A7||5,25||15,12|/",
                              "02/03/2013|---|||2,75|12,37|4 indigenti"}));
        QCOMPARE(r.parametro("Pivot_mese"), "2013-03-01");
        QCOMPARE(r.parametro("Pivot_giac_data"), "2013-03-01");
        SENZA_PROBLEMI(r);
    }

    // Guards the article and month kept across a change of tab with the grid rebuilt, and
    // the earliest month once the month kept has no movements left.
    void ritornoAllaScheda() {
        Registro r(MOVIMENTI);
        QVERIFY(r.cliccaRiga("grArtAgea", 1));
        QVERIFY(r.scegliMese("Marzo 2013"));
        QVERIFY(r.vaiScheda("tsMenu"));
        r.esegui("INSERT INTO scarichi_dett (master_id, articoli_id, qta) VALUES (3, 1, 0.37)");
        QVERIFY(r.vaiScheda("tsRapporti"));
        QCOMPARE(r.rigaCorrente("grArtAgea"), "PASTA");
        QCOMPARE(r.mesi()->currentText(), "Marzo 2013");
        QCOMPARE(r.elenco("grVideoAgea").last(),
                 "03/03/2013|5|||0,37|12|Eliminazione per scadenza");

        QVERIFY(r.vaiScheda("tsMenu"));
        r.esegui("DELETE FROM carichi_mast");
        r.esegui("DELETE FROM scarichi_mast WHERE data >= '2013-03-01'");
        QVERIFY(r.vaiScheda("tsRapporti"));
        QCOMPARE(r.mesi()->count(), 1);
        QCOMPARE(r.mesi()->currentText(), "Febbraio 2013");
        QCOMPARE(r.rigaCorrente("grArtAgea"), "PASTA");
        QCOMPARE(r.elenco("grVideoAgea").last(),
                 "10/02/2013|1|||0,13|9,87|Eliminazione per scadenza");
        SENZA_PROBLEMI(r);
    }

    // Guards a program without movements (nothing offered), and movements without any AGEA
    // article: an empty register and no print, instead of an error.
    void senzaMovimentiNeArticoli() {
        Registro r({});
        QCOMPARE(r.mesi()->count(), 0);
        QVERIFY(r.abilitati(
            {"cbxRegMese", "grArtAgea", "grVideoAgea", "btnApriRegagea", "btnRegStampa"}, false));
        QCOMPARE(r.elenco("grVideoAgea"), QStringList{TESTATA});

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

    // Guards the register page window, opened on the tab's month, which is written back
    // into parametri once it closes; and the prints: every article with "0" in parametri
    // while the host runs and the selected article after it, the single article named
    // before its print, Cancel writing and printing nothing.
    void registroEStampe() {
        Registro r(MOVIMENTI);
        QVERIFY(r.scegliMese("Marzo 2013"));
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
        QVERIFY(tutti.contains("Tutti i prodotti AGEA"));
        QVERIFY(QFileInfo(r.stampe().constFirst())
                    .fileName()
                    .startsWith("Registro di carico e scarico dei prodotti AGEA - Marzo 2013 "));
        QVERIFY(tutti.contains("PASTA") && tutti.contains("LATTE UHT"));
        QCOMPARE(r.parametro("Regagea_Articolo_ID"), "2");

        QVERIFY(r.cliccaRiga("grArtAgea", 1));
        r.messaggi().attendi(Tipo::OkAnnulla, PRONTA, true);
        const QString uno = r.stampa("btnRegStampa");
        QVERIFY(uno.contains("PASTA") && !uno.contains("LATTE UHT"));
        QCOMPARE(r.parametro("Regagea_Articolo_ID"), "1");

        r.esegui("UPDATE parametri SET Regagea_Articolo_ID = 99");
        for (const char* pulsante : {"btnRegStampa", "btnRegStampaTutti"}) {
            r.messaggi().attendi(Tipo::OkAnnulla, PRONTA, false);
            QVERIFY(r.clicca(pulsante));
        }
        QCOMPARE(r.parametro("Regagea_Articolo_ID"), "99");
        QCOMPARE(r.stampe().size(), 2);
        SENZA_PROBLEMI(r);
    }

    // Guards a read-only file: the month's register shown and a distribution card printed
    // by the report host with the parameters the program could not store, the file intact.
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
        const auto impronta = [&] {
            QFile db(r.cartella().fileDb());
            return db.open(QIODevice::ReadOnly)
                       ? QCryptographicHash::hash(db.readAll(), QCryptographicHash::Sha256)
                       : QByteArray();
        };
        const QByteArray prima = impronta();
        QVERIFY(r.scegliMese("Marzo 2013"));
        QVERIFY(r.cliccaRiga("grArtAgea", 1));
        QCOMPARE(r.elenco("grVideoAgea").last(), "02/03/2013|---|||2,75|12,37|4 indigenti");
        QCOMPARE(r.parametro("Pivot_mese"), "2013-03-01");

        QVERIFY(r.vaiScheda("tsScarichi"));
        r.messaggi().attendi(Tipo::OkAnnulla, PRONTA, true);
        const QString scheda = r.stampa("btnScarStampa");
        QVERIFY2(scheda.contains("VERDI") && scheda.contains("LATTE UHT"), qPrintable(scheda));
        QCOMPARE(impronta(), prima);
        SENZA_PROBLEMI(r);
    }
};

QTEST_MAIN(TestRegistro)
#include "tst_schedaregistro.moc"
