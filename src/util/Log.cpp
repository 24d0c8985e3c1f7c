#include "Utilitylibrary.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// The state of the log, shared by the whole process (only the user-interface thread logs).
struct StatoLog {
    QString file;
    int indLev = 0;
    std::unique_ptr<NodoLog> radice;
    NodoLog* genitoreCorrente = nullptr;
    NodoLog* ultimoNodo = nullptr;
    std::function<void(const NodoLog&)> osservatore;
};

StatoLog& stato() {
    static StatoLog s;
    return s;
}

// The executable's path with its extension replaced by ".LOG" ("Dolvera" gives "Dolvera.LOG").
QString filePredefinito() {
    const QFileInfo eseguibile(QCoreApplication::applicationFilePath());
    QString nome = eseguibile.fileName();
    const qsizetype punto = nome.lastIndexOf(QLatin1Char('.'));
    if (punto > 0)
        nome.truncate(punto);
    return eseguibile.dir().filePath(nome + QStringLiteral(".LOG"));
}

void aggiungiNodo(const QString& testo) {
    StatoLog& s = stato();
    if (!s.radice) {
        s.radice = std::make_unique<NodoLog>();
        s.radice->testo = QStringLiteral("Dolvera.exe");
        s.genitoreCorrente = s.radice.get();
    }
    auto nodo = std::make_unique<NodoLog>();
    nodo->testo = testo;
    nodo->padre = s.genitoreCorrente;
    s.ultimoNodo = nodo.get();
    s.genitoreCorrente->figli.push_back(std::move(nodo));
    if (s.osservatore)
        s.osservatore(*s.ultimoNodo);
}

// The time stamp of a line. Its text changes once a second, and a busy routine (the
// register of a month) writes thousands of lines in one: it is composed once a second.
const QString& marcaTempo() {
    static qint64 secondo = -1;
    static QString testo;
    const qint64 adesso = QDateTime::currentMSecsSinceEpoch();
    if (adesso / 1000 != secondo) {
        secondo = adesso / 1000;
        testo = utTestoDataOra(QDateTime::fromMSecsSinceEpoch(adesso));
    }
    return testo;
}

} // namespace

// An empty path goes back to the executable's own log file.
void utLogImpostaFile(const QString& percorso) {
    stato().file = percorso;
}

QString utLogFile() {
    const QString& file = stato().file;
    return file.isEmpty() ? filePredefinito() : file;
}

bool utLogWrite(const QString& testo) {
    const QString riga = marcaTempo() + QStringLiteral(": ") + testo + "\r\n";
    QFile file(utLogFile());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        throw Errore(QStringLiteral("Errore nell'apertura del file di log."));
    // Once the file is open, a failed write must not stop the program: it is ignored.
    file.write(riga.toUtf8());
    file.close();

    const QString testoNodo = NormalizzaSpazi(testo);
    if (testoNodo != QLatin1String("}"))
        aggiungiNodo(testoNodo);
    return true;
}

bool utLog(const QString& messaggio, int delta) {
    StatoLog& s = stato();
    // The level is worked out on a copy and kept only once the line is written, so that a
    // log file that cannot be opened leaves the nesting as it was.
    int livello = s.indLev;
    if (delta < 0)
        livello += delta;
    if (livello < 0) {
        utLogWrite(QStringLiteral("****************ERRORE indLev in utLog******************"));
        livello = 0;
        s.indLev = 0;
    }
    // An opening line stands at the outer level, and so does a closing one (lowered first).
    const QString rientro(2 * livello, QLatin1Char(' '));
    if (delta > 0)
        livello += delta;
    utLogWrite(rientro + messaggio);
    s.indLev = livello;

    if (delta < 0 && s.genitoreCorrente && s.genitoreCorrente->padre)
        s.genitoreCorrente = s.genitoreCorrente->padre;
    else if (delta > 0 && s.ultimoNodo)
        s.genitoreCorrente = s.ultimoNodo;
    return true;
}

bool utLog(const QString& /*routine*/, const QString& messaggio, int delta) {
    return utLog(messaggio, delta);
}

bool utLog(const QString& /*routine*/, const QString& messaggio) {
    return utLog(messaggio, 0);
}

bool utLogEnter(const QString& routine) {
    return utLog(routine + QStringLiteral(" {"), 1);
}

bool utLogExit(const QString& /*routine*/) {
    utLog(QStringLiteral("}"), -1);
    return utLogWrite(QString());
}

bool utLogError(const QString& /*routine*/, int numero, const QString& testo) {
    return utLog(QStringLiteral("ERRORE #") + QString::number(numero) + testo, 0);
}

QString NormalizzaSpazi(const QString& testo) {
    QString risultato;
    risultato.reserve(testo.size());
    for (QChar c : testo) {
        if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            c = QLatin1Char(' ');
        if (c == QLatin1Char(' ') && (risultato.isEmpty() || risultato.back() == QLatin1Char(' ')))
            continue;
        risultato.append(c);
    }
    if (risultato.endsWith(QLatin1Char(' ')))
        risultato.chop(1);
    return risultato;
}

int utLogLivello() {
    return stato().indLev;
}
const NodoLog* utLogRadice() {
    return stato().radice.get();
}
const NodoLog* utLogGenitoreCorrente() {
    return stato().genitoreCorrente;
}
const NodoLog* utLogUltimoNodo() {
    return stato().ultimoNodo;
}

void utLogImpostaOsservatore(std::function<void(const NodoLog&)> osservatore) {
    stato().osservatore = std::move(osservatore);
}

void utLogAzzera() {
    StatoLog& s = stato();
    s.indLev = 0;
    s.genitoreCorrente = nullptr;
    s.ultimoNodo = nullptr;
    s.radice.reset();
}
