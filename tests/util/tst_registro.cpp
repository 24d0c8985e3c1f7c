#include "CartellaProgramma.h"
#include "Registro.h"

#include <QFile>
#include <QStringConverter>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString chiaveDolvera = QStringLiteral("SOFTWARE\\Brevantoria\\Dolvera");
const QString chiaveOdbc = QStringLiteral("SOFTWARE\\ODBC\\ODBC.INI\\SolvaneODBC");

// A registry file as an export writes it, with values that need escapes and one that is
// not a string.
const QByteArray esempio = "Windows Registry Editor Version 5.00\r\n"
                           "\r\n"
                           "[HKEY_LOCAL_MACHINE\\SOFTWARE\\ODBC\\ODBC.INI\\SolvaneODBC]\r\n"
                           "\"DBQ\"=\"C:\\\\Dolvera\\\\Dolvera.mdb\"\r\n"
                           "\"Conta\"=dword:00000001\r\n"
                           "\r\n"
                           "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\Access.Application.1\\shell\\"
                           "Open\\command]\r\n"
                           "@=\"\\\"C:\\\\Dolvera\\\\dolvera-report\\\" \\\"%1\\\"\"\r\n"
                           "\r\n"
                           "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Brevantoria\\Dolvera]\r\n"
                           "\"Printer\"=\"-1\"\r\n"
                           "\"LastUpdate\"=\"\"\r\n";

} // namespace

class TestRegistro : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void leggeIValori();
    void letturaCheFallisce();
    void registroDellInstallatore();
    void scriveSoloLaRigaDelValore();
    void altreRadiciESezioniRipetute();
    void aggiungeUnValoreAllaSuaChiave();
    void valoriConCaratteriSpeciali();
    void scritturaCheFallisce();
    void fileEVariabileDAmbiente();
    void fileUtf16();

private:
    QString file() const { return m_dir->filePath("Dolvera.reg"); }
    void scriviFile(const QByteArray& dati) const;
    QByteArray contenuto() const;

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestRegistro::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    scriviFile(esempio);
}

void TestRegistro::cleanup() {
    QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    m_dir.reset();
}

void TestRegistro::scriviFile(const QByteArray& dati) const {
    QFile f(file());
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(dati);
}

QByteArray TestRegistro::contenuto() const {
    QFile f(file());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void TestRegistro::leggeIValori() {
    const Registro reg(file());
    QString valore;
    QVERIFY(reg.leggi(chiaveOdbc, "DBQ", valore));
    QCOMPARE(valore, QStringLiteral("C:\\Dolvera\\Dolvera.mdb"));
    QVERIFY(reg.leggi(chiaveDolvera, "Printer", valore));
    QCOMPARE(valore, QStringLiteral("-1"));
    QVERIFY(reg.leggi(chiaveDolvera, "LastUpdate", valore));
    QCOMPARE(valore, QString());
    QVERIFY(reg.leggi("SOFTWARE\\Classes\\Access.Application.1\\shell\\Open\\command", "", valore));
    QCOMPARE(valore, QStringLiteral("\"C:\\Dolvera\\dolvera-report\" \"%1\""));
    // Key and value names compare without regard to case.
    QVERIFY(reg.leggi("software\\brevantoria\\DOLVERA", "printer", valore));
    QCOMPARE(valore, QStringLiteral("-1"));
}

void TestRegistro::letturaCheFallisce() {
    QString valore = "vecchio";
    QVERIFY(!Registro(m_dir->filePath("manca.reg")).leggi(chiaveDolvera, "Printer", valore));
    QCOMPARE(valore, QString());

    const Registro reg(file());
    valore = "vecchio";
    QVERIFY(!reg.leggi("SOFTWARE\\Brevantoria\\Altro", "Printer", valore));
    QCOMPARE(valore, QString());
    QVERIFY(!reg.leggi(chiaveDolvera, "Manca", valore));
    // The key has no default value, and a value of another type is no text.
    QVERIFY(!reg.leggi(chiaveDolvera, "", valore));
    QVERIFY(!reg.leggi(chiaveOdbc, "Conta", valore));
    // A value of another key is not found in this one.
    QVERIFY(!reg.leggi(chiaveDolvera, "DBQ", valore));
    QVERIFY(!reg.leggi("SOFTWARE\\Brevantoria", "Printer", valore));
}

void TestRegistro::registroDellInstallatore() {
    CartellaProgramma cartella(CartellaProgramma::Database::Nessuno, false);
    const Registro reg(cartella.fileRegistro());
    QString valore;
    QVERIFY(reg.leggi(chiaveOdbc, "DBQ", valore));
    QCOMPARE(valore, cartella.fileDb());
    QVERIFY(reg.leggi("SOFTWARE\\Classes\\Access.Application\\CurVer", "", valore));
    QCOMPARE(valore, QStringLiteral("Access.Application.1"));
    QVERIFY(reg.leggi("SOFTWARE\\Classes\\Access.Application.1\\shell\\New\\command", "", valore));
    QCOMPARE(valore, "\"" + cartella.file("dolvera-report") + "\" \"%1\"");
    QVERIFY(reg.leggi(chiaveDolvera, "Printer", valore));
    QCOMPARE(valore, QStringLiteral("-1"));
}

void TestRegistro::scriveSoloLaRigaDelValore() {
    Registro reg(file());
    QVERIFY(reg.scrivi(chiaveDolvera, "printer", "PDF"));
    QByteArray atteso = esempio;
    atteso.replace("\"Printer\"=\"-1\"", "\"printer\"=\"PDF\"");
    QCOMPARE(contenuto(), atteso);

    QVERIFY(reg.scrivi(chiaveDolvera, "LastUpdate", "05/03/2024"));
    atteso.replace("\"LastUpdate\"=\"\"", "\"LastUpdate\"=\"05/03/2024\"");
    QCOMPARE(contenuto(), atteso);
    QString valore;
    QVERIFY(reg.leggi(chiaveDolvera, "Printer", valore));
    QCOMPARE(valore, QStringLiteral("PDF"));
}

void TestRegistro::altreRadiciESezioniRipetute() {
    // Only HKEY_LOCAL_MACHINE counts, and of a key written twice the later section wins,
    // as when the file is imported.
    const QByteArray dati = "Windows Registry Editor Version 5.00\r\n\r\n"
                            "[HKEY_CURRENT_USER\\SOFTWARE\\Brevantoria\\Dolvera]\r\n"
                            "\"Printer\"=\"utente\"\r\n\r\n"
                            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Brevantoria\\Dolvera]\r\n"
                            "\"Printer\"=\"primo\"\r\n\r\n"
                            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Brevantoria\\Dolvera]\r\n"
                            "\"Printer\"=\"secondo\"\r\n";
    scriviFile(dati);
    Registro reg(file());
    QString valore;
    QVERIFY(reg.leggi(chiaveDolvera, "Printer", valore));
    QCOMPARE(valore, QStringLiteral("secondo"));
    QVERIFY(!reg.leggi("SOFTWARE\\Brevantoria", "Printer", valore));

    QVERIFY(reg.scrivi(chiaveDolvera, "Printer", "terzo"));
    QByteArray atteso = dati;
    atteso.replace("\"secondo\"", "\"terzo\"");
    QCOMPARE(contenuto(), atteso);
}

void TestRegistro::aggiungeUnValoreAllaSuaChiave() {
    // A file with LF line ends and no line end after its last line.
    QByteArray lf = esempio;
    lf.replace("\r\n", "\n");
    lf.chop(1);
    scriviFile(lf);

    Registro reg(file());
    QVERIFY(reg.scrivi(chiaveOdbc, "Driver", "SQLite 3"));
    QVERIFY(reg.scrivi(chiaveDolvera, "Nuovo", "1"));
    QByteArray atteso = lf;
    atteso.replace("\"Conta\"=dword:00000001\n",
                   "\"Conta\"=dword:00000001\n\"Driver\"=\"SQLite 3\"\n");
    atteso.append("\n\"Nuovo\"=\"1\"\n");
    QCOMPARE(contenuto(), atteso);

    // A section that holds nothing yet gets its first value right below its name.
    scriviFile(esempio + "\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vuota]\r\n\r\n");
    QVERIFY(reg.scrivi("SOFTWARE\\Vuota", "", "predefinito"));
    QCOMPARE(contenuto(), esempio + "\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vuota]\r\n"
                                    "@=\"predefinito\"\r\n\r\n");
}

void TestRegistro::valoriConCaratteriSpeciali() {
    Registro reg(file());
    const QString strano = QString::fromUtf8("C:\\Programmi\\\"Dolvera\"\\ città \\\\");
    QVERIFY(reg.scrivi(chiaveDolvera, "Strano \"nome\"", strano));
    QVERIFY(contenuto().endsWith(
        "\"Strano \\\"nome\\\"\"=\"C:\\\\Programmi\\\\\\\"Dolvera\\\"\\\\ citt\xc3\xa0 "
        "\\\\\\\\\"\r\n"));
    QString valore;
    QVERIFY(reg.leggi(chiaveDolvera, "Strano \"nome\"", valore));
    QCOMPARE(valore, strano);
}

void TestRegistro::scritturaCheFallisce() {
    Registro reg(file());
    // A missing key is never created, and a line break cannot be stored.
    QVERIFY(!reg.scrivi("SOFTWARE\\Brevantoria\\Altro", "Printer", "PDF"));
    QVERIFY(!reg.scrivi(chiaveDolvera, "Printer", "PDF\r\nX"));
    QCOMPARE(contenuto(), esempio);

    QVERIFY(!Registro(m_dir->filePath("manca.reg")).scrivi(chiaveDolvera, "Printer", "PDF"));
    QVERIFY(!QFile::exists(m_dir->filePath("manca.reg")));

    QVERIFY(QFile::setPermissions(file(), QFile::ReadOwner | QFile::ReadGroup));
    QVERIFY(!reg.scrivi(chiaveDolvera, "Printer", "PDF"));
    QCOMPARE(contenuto(), esempio);

    QVERIFY(QFile::setPermissions(file(), QFile::ReadOwner | QFile::WriteOwner));
    QVERIFY(QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::ExeOwner));
    QVERIFY(!reg.scrivi(chiaveDolvera, "Printer", "PDF"));
    QCOMPARE(contenuto(), esempio);

    // Back in a writable folder, the file keeps its permissions across the rewrite.
    QVERIFY(QFile::setPermissions(m_dir->path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QVERIFY(reg.scrivi(chiaveDolvera, "Printer", "PDF"));
    QCOMPARE(QFile::permissions(file()) & ~(QFile::ReadUser | QFile::WriteUser),
             QFile::ReadOwner | QFile::WriteOwner);
}

void TestRegistro::fileEVariabileDAmbiente() {
    const QByteArray prima = qgetenv("DOLVERA_REGISTRY");
    qunsetenv("DOLVERA_REGISTRY");
    QCOMPARE(Registro::filePredefinito("/opt/dolvera"), QStringLiteral("/opt/dolvera/Dolvera.reg"));
    QCOMPARE(Registro::filePredefinito("/opt/dolvera/"),
             QStringLiteral("/opt/dolvera/Dolvera.reg"));
    qputenv("DOLVERA_REGISTRY", "");
    QCOMPARE(Registro::filePredefinito("/opt/dolvera"), QStringLiteral("/opt/dolvera/Dolvera.reg"));
    qputenv("DOLVERA_REGISTRY", "/etc/dolvera/altro.reg");
    QCOMPARE(Registro::filePredefinito("/opt/dolvera"), QStringLiteral("/etc/dolvera/altro.reg"));
    if (prima.isNull())
        qunsetenv("DOLVERA_REGISTRY");
    else
        qputenv("DOLVERA_REGISTRY", prima);
}

void TestRegistro::fileUtf16() {
    // regedit writes UTF-16 with a byte order mark; a rewrite keeps that form.
    QStringEncoder utf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    scriviFile(utf16(QString::fromUtf8(esempio)));
    Registro reg(file());
    QString valore;
    QVERIFY(reg.leggi(chiaveDolvera, "Printer", valore));
    QCOMPARE(valore, QStringLiteral("-1"));
    QVERIFY(reg.scrivi(chiaveDolvera, "Printer", "PDF"));

    QByteArray atteso = esempio;
    atteso.replace("\"Printer\"=\"-1\"", "\"Printer\"=\"PDF\"");
    QStringEncoder utf16Atteso(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    QCOMPARE(contenuto(), QByteArray(utf16Atteso(QString::fromUtf8(atteso))));
}

QTEST_GUILESS_MAIN(TestRegistro)
#include "tst_registro.moc"
