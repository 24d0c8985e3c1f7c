// Copies of the open database: a failed copy leaves the older one whole.

#include "ConnessioneProva.h"
#include "CopiaDatabase.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

namespace {
// The number of articles in a database file, read on a connection of its own.
int articoli(const QString& file) {
    int n = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "lettura");
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery q(QStringLiteral("SELECT COUNT(*) FROM articoli"), db);
            if (q.next())
                n = q.value(0).toInt();
        }
    }
    QSqlDatabase::removeDatabase("lettura");
    return n;
}

void scriviFile(const QString& file, const QByteArray& contenuto) {
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(contenuto);
}
} // namespace

class TestCopiaDatabase : public QObject {
    Q_OBJECT

private slots:
    void copie() {
        ConnessioneProva c;
        c.esegui("INSERT INTO articoli (descr) VALUES ('PASTA'), ('RISO')");
        const QString copia = c.cartella().file("copia.mdb");
        scriviFile(copia, "una copia precedente");
        QString motivo;
        QVERIFY2(CopiaDatabaseAperto(copia, &motivo), qPrintable(motivo));
        QCOMPARE(articoli(copia), 2);
        QVERIFY(!QFile::exists(copia + ".tmp"));
        QVERIFY(VerificaDatabase(copia, true, &motivo));

        // A copy that cannot be written leaves the previous one as it was.
        c.esegui("INSERT INTO articoli (descr) VALUES ('LATTE')");
        QVERIFY(!CopiaDatabaseAperto(c.cartella().file("manca/copia.mdb"), &motivo));
        QVERIFY(motivo.contains("manca"));
        QVERIFY(!CopiaFileSicura(c.cartella().file("assente.mdb"), copia, &motivo));
        QCOMPARE(articoli(copia), 2);
        QVERIFY(CopiaFileSicura(c.cartella().fileDb(), copia, &motivo));
        QCOMPARE(articoli(copia), 3);

        // Checking a missing file never creates it.
        const QString assente = c.cartella().file("assente.mdb");
        QVERIFY(!VerificaDatabase(assente, false, &motivo));
        QVERIFY(!QFile::exists(assente));
    }
};

QTEST_MAIN(TestCopiaDatabase)
#include "tst_copiadatabase.moc"
