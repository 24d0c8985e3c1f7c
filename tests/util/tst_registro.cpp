// The registry file: reading values, rewriting only the value's line, failing without harm.

#include "Registro.h"

#include <QFile>
#include <QStringConverter>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

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

    std::unique_ptr<QTemporaryDir> m_dir;

    QString file() const { return m_dir->filePath("Dolvera.reg"); }
    void scriviFile(const QByteArray& dati) const {
        QFile f(file());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(dati);
    }
    QByteArray contenuto() const {
        QFile f(file());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        scriviFile(esempio);
    }
    void cleanup() {
        QFile::setPermissions(m_dir->path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_dir.reset();
    }

    void lettura() {
        // Escapes, @ and any case read; anything missing or not a string reads as empty.
        const struct {
            QString chiave, nome;
            std::optional<QString> atteso;
        } casi[] = {
            {chiaveOdbc, "DBQ", "C:\\Dolvera\\Dolvera.mdb"},
            {chiaveDolvera, "LastUpdate", ""},
            {"SOFTWARE\\Classes\\Access.Application.1\\shell\\Open\\command", "",
             "\"C:\\Dolvera\\dolvera-report\" \"%1\""},
            {"software\\brevantoria\\DOLVERA", "printer", "-1"},
            {"SOFTWARE\\Brevantoria\\Altro", "Printer", {}},
            {chiaveDolvera, "Manca", {}},
            {chiaveOdbc, "Conta", {}},
            {chiaveDolvera, "DBQ", {}},
        };
        const Registro reg(file());
        for (const auto& c : casi) {
            QString valore = "vecchio";
            QVERIFY2(reg.leggi(c.chiave, c.nome, valore) == c.atteso.has_value(),
                     qPrintable(c.chiave + " " + c.nome));
            QCOMPARE(valore, c.atteso.value_or(QString()));
        }
        QString valore = "vecchio";
        QVERIFY(!Registro(m_dir->filePath("manca.reg")).leggi(chiaveDolvera, "Printer", valore));
        QCOMPARE(valore, QString());
    }

    void scriveSoloLaRigaDelValore() {
        // A rewrite changes only the value's line, in the file's encoding, escaping \ and ".
        for (const auto codifica : {QStringConverter::Utf8, QStringConverter::Utf16LE}) {
            const auto codificato = [codifica](const QByteArray& testo) {
                QStringEncoder e(codifica, codifica == QStringConverter::Utf8
                                               ? QStringConverter::Flag::Default
                                               : QStringConverter::Flag::WriteBom);
                return QByteArray(e(QString::fromUtf8(testo)));
            };
            scriviFile(codificato(esempio));
            Registro reg(file());
            QVERIFY(reg.scrivi(chiaveDolvera, "printer", "PDF"));
            QCOMPARE(contenuto(), codificato(QByteArray(esempio).replace("\"Printer\"=\"-1\"",
                                                                         "\"printer\"=\"PDF\"")));
        }

        scriviFile(esempio);
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

    void sezioniEValoriNuovi() {
        // The last section of a key wins; a new value ends its section with the file's line ends.
        const QByteArray dati = "Windows Registry Editor Version 5.00\r\n\r\n"
                                "[HKEY_CURRENT_USER\\SOFTWARE\\Brevantoria\\Dolvera]\r\n"
                                "\"Printer\"=\"utente\"\r\n\r\n"
                                "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Brevantoria\\Dolvera]\r\n"
                                "\"Printer\"=\"primo\"\r\n\r\n"
                                "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Brevantoria\\Dolvera]\r\n"
                                "\"Printer\"=\"secondo\"\r\n";
        scriviFile(dati);
        Registro reg(file());
        QVERIFY(reg.scrivi(chiaveDolvera, "Printer", "terzo"));
        QCOMPARE(contenuto(), QByteArray(dati).replace("\"secondo\"", "\"terzo\""));

        QByteArray lf = QByteArray(esempio).replace("\r\n", "\n");
        lf.chop(1);
        scriviFile(lf);
        QVERIFY(reg.scrivi(chiaveOdbc, "Driver", "SQLite 3"));
        QVERIFY(reg.scrivi(chiaveDolvera, "Nuovo", "1"));
        QByteArray atteso = lf;
        atteso.replace("\"Conta\"=dword:00000001\n",
                       "\"Conta\"=dword:00000001\n\"Driver\"=\"SQLite 3\"\n");
        QCOMPARE(contenuto(), atteso + "\n\"Nuovo\"=\"1\"\n");

        scriviFile(esempio + "\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vuota]\r\n\r\n");
        QVERIFY(reg.scrivi("SOFTWARE\\Vuota", "", "predefinito"));
        QCOMPARE(contenuto(), esempio + "\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vuota]\r\n"
                                        "@=\"predefinito\"\r\n\r\n");
    }

    void scritturaCheFallisce() {
        // No key or file created, no line breaks, read-only file or folder left as it was.
        Registro reg(file());
        QVERIFY(!reg.scrivi("SOFTWARE\\Brevantoria\\Altro", "Printer", "PDF"));
        QVERIFY(!reg.scrivi(chiaveDolvera, "Printer", "PDF\r\nX"));
        QVERIFY(!Registro(m_dir->filePath("manca.reg")).scrivi(chiaveDolvera, "Printer", "PDF"));
        QVERIFY(!QFile::exists(m_dir->filePath("manca.reg")));

        QVERIFY(QFile::setPermissions(file(), QFile::ReadOwner | QFile::ReadGroup));
        QVERIFY(!reg.scrivi(chiaveDolvera, "Printer", "PDF"));
        QVERIFY(QFile::setPermissions(file(), QFile::ReadOwner | QFile::WriteOwner));
        QVERIFY(QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::ExeOwner));
        QVERIFY(!reg.scrivi(chiaveDolvera, "Printer", "PDF"));
        QCOMPARE(contenuto(), esempio);

        QVERIFY(QFile::setPermissions(m_dir->path(),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QVERIFY(reg.scrivi(chiaveDolvera, "Printer", "PDF"));
        QCOMPARE(QFile::permissions(file()) & ~(QFile::ReadUser | QFile::WriteUser),
                 QFile::ReadOwner | QFile::WriteOwner);
    }

    void fileEVariabileDAmbiente() {
        // DOLVERA_REGISTRY names the file only when set and not empty.
        const QByteArray prima = qgetenv("DOLVERA_REGISTRY");
        const QString predefinito = QStringLiteral("/opt/dolvera/Dolvera.reg");
        qputenv("DOLVERA_REGISTRY", "");
        QCOMPARE(Registro::filePredefinito("/opt/dolvera"), predefinito);
        qputenv("DOLVERA_REGISTRY", "/etc/dolvera/altro.reg");
        QCOMPARE(Registro::filePredefinito("/opt/dolvera"),
                 QStringLiteral("/etc/dolvera/altro.reg"));
        if (prima.isNull())
            qunsetenv("DOLVERA_REGISTRY");
        else
            qputenv("DOLVERA_REGISTRY", prima);
    }
};

QTEST_GUILESS_MAIN(TestRegistro)
#include "tst_registro.moc"
