#include "Registro.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringConverter>
#include <optional>
#include <vector>

namespace {

const QString radiceChiavi = QStringLiteral("HKEY_LOCAL_MACHINE\\");

// The registry file as text, split into lines that keep their own line ends, so that a
// rewrite changes nothing but the one value written.
struct FileRegistro {
    QStringConverter::Encoding codifica = QStringConverter::Utf8;
    struct Riga {
        QString testo;
        QString fine; // "\r\n", "\n" or empty on a last line without end
    };
    std::vector<Riga> righe;
};

std::optional<FileRegistro> carica(const QString& percorso) {
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray dati = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;

    // regedit exports UTF-16 with a byte order mark; the installer writes UTF-8. A byte
    // order mark is kept in the text so that a rewrite gives it back.
    FileRegistro reg;
    reg.codifica = QStringConverter::encodingForData(dati).value_or(QStringConverter::Utf8);
    QStringDecoder decodifica(reg.codifica, QStringConverter::Flag::ConvertInitialBom);
    const QString testo = decodifica(dati);
    if (decodifica.hasError())
        return std::nullopt;

    qsizetype inizio = 0;
    while (inizio < testo.size()) {
        const qsizetype lf = testo.indexOf(QLatin1Char('\n'), inizio);
        const qsizetype fine = lf < 0 ? testo.size() : lf;
        FileRegistro::Riga riga;
        riga.testo = testo.mid(inizio, fine - inizio);
        if (lf >= 0)
            riga.fine = QStringLiteral("\n");
        if (riga.testo.endsWith(QLatin1Char('\r'))) {
            riga.testo.chop(1);
            riga.fine.prepend(QLatin1Char('\r'));
        }
        reg.righe.push_back(riga);
        inizio = fine + 1;
    }
    return reg;
}

// The full key name of a section line "[HKEY_LOCAL_MACHINE\...]"; nothing for any other line.
std::optional<QString> chiaveSezione(QString riga) {
    if (riga.startsWith(QChar(0xFEFF)))
        riga.remove(0, 1);
    riga = riga.trimmed();
    if (!riga.startsWith(QLatin1Char('[')) || !riga.endsWith(QLatin1Char(']')))
        return std::nullopt;
    return riga.mid(1, riga.size() - 2);
}

// Reads a quoted string at `pos` ("..." with \\ and \" escaped); `pos` moves past it.
std::optional<QString> leggiStringa(const QString& riga, qsizetype& pos) {
    if (pos >= riga.size() || riga[pos] != QLatin1Char('"'))
        return std::nullopt;
    QString valore;
    for (++pos; pos < riga.size(); ++pos) {
        const QChar c = riga[pos];
        if (c == QLatin1Char('"')) {
            ++pos;
            return valore;
        }
        if (c == QLatin1Char('\\') && pos + 1 < riga.size() &&
            (riga[pos + 1] == QLatin1Char('\\') || riga[pos + 1] == QLatin1Char('"')))
            ++pos;
        valore.append(riga[pos]);
    }
    return std::nullopt;
}

QString scriviStringa(QString s) {
    s.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    s.replace(QLatin1Char('"'), QStringLiteral("\\\""));
    return QLatin1Char('"') + s + QLatin1Char('"');
}

struct RigaValore {
    QString nome;                  // empty for the default value @
    std::optional<QString> valore; // nothing when the value is not a string (dword:, hex:)
};

// A value line: "Name"="value", @="value", or a value of another type.
std::optional<RigaValore> leggiRigaValore(const QString& riga) {
    qsizetype pos = 0;
    while (pos < riga.size() && (riga[pos].isSpace() || riga[pos] == QChar(0xFEFF)))
        ++pos;
    RigaValore rv;
    if (pos < riga.size() && riga[pos] == QLatin1Char('@')) {
        ++pos;
    } else {
        const std::optional<QString> nome = leggiStringa(riga, pos);
        if (!nome)
            return std::nullopt;
        rv.nome = *nome;
    }
    while (pos < riga.size() && riga[pos].isSpace())
        ++pos;
    if (pos >= riga.size() || riga[pos] != QLatin1Char('='))
        return std::nullopt;
    ++pos;
    while (pos < riga.size() && riga[pos].isSpace())
        ++pos;
    rv.valore = leggiStringa(riga, pos);
    if (rv.valore && !riga.mid(pos).trimmed().isEmpty())
        rv.valore.reset();
    return rv;
}

QString normalizzaChiave(const QString& chiave) {
    QString c = chiave.trimmed();
    while (c.startsWith(QLatin1Char('\\')))
        c.remove(0, 1);
    while (c.endsWith(QLatin1Char('\\')))
        c.chop(1);
    if (c.startsWith(radiceChiavi, Qt::CaseInsensitive))
        c.remove(0, radiceChiavi.size());
    return c;
}

// Where a value stands in the file: the last section of its key (a later section of the
// same key wins, as when the file is imported) and the value's line in it.
struct Posizione {
    std::optional<size_t> ultimaRigaSezione; // nothing when the key is missing
    std::optional<size_t> rigaValore;
    std::optional<QString> valore;
};

Posizione trova(const FileRegistro& reg, const QString& chiave, const QString& nome) {
    const QString cercata = radiceChiavi + normalizzaChiave(chiave);
    Posizione p;
    bool dentro = false;
    for (size_t i = 0; i < reg.righe.size(); ++i) {
        const QString& testo = reg.righe[i].testo;
        if (const std::optional<QString> sezione = chiaveSezione(testo)) {
            dentro = sezione->compare(cercata, Qt::CaseInsensitive) == 0;
            if (dentro)
                p.ultimaRigaSezione = i;
            continue;
        }
        if (!dentro)
            continue;
        if (!testo.trimmed().isEmpty())
            p.ultimaRigaSezione = i;
        const std::optional<RigaValore> rv = leggiRigaValore(testo);
        if (rv && rv->nome.compare(nome, Qt::CaseInsensitive) == 0) {
            p.rigaValore = i;
            p.valore = rv->valore;
        }
    }
    return p;
}

// A file or folder that nobody may write to. Checked on the permission bits as well as
// for the current user, so that the administrator's account respects it too.
bool solaLettura(const QString& percorso) {
    const QFileInfo info(percorso);
    const QFile::Permissions scrittura = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return !info.isWritable() || !(info.permissions() & scrittura);
}

} // namespace

Registro::Registro(QString file) : m_file(std::move(file)) {}

QString Registro::filePredefinito(const QString& cartellaProgramma) {
    const QString variabile = qEnvironmentVariable("DOLVERA_REGISTRY");
    if (!variabile.isEmpty())
        return variabile;
    QString cartella = cartellaProgramma;
    if (!cartella.isEmpty() && !cartella.endsWith(QLatin1Char('/')))
        cartella += QLatin1Char('/');
    return cartella + QStringLiteral("Dolvera.reg");
}

bool Registro::leggi(const QString& chiave, const QString& nome, QString& valore) const {
    valore.clear();
    const std::optional<FileRegistro> reg = carica(m_file);
    if (!reg)
        return false;
    const Posizione p = trova(*reg, chiave, nome);
    if (!p.valore)
        return false;
    valore = *p.valore;
    return true;
}

bool Registro::scrivi(const QString& chiave, const QString& nome, const QString& valore) {
    // A line break cannot stand in a string value of the file: it would split the line.
    if (valore.contains(QLatin1Char('\n')) || valore.contains(QLatin1Char('\r')) ||
        nome.contains(QLatin1Char('\n')) || nome.contains(QLatin1Char('\r')))
        return false;
    std::optional<FileRegistro> reg = carica(m_file);
    if (!reg)
        return false;
    const Posizione p = trova(*reg, chiave, nome);
    if (!p.ultimaRigaSezione)
        return false;

    const QString riga = (nome.isEmpty() ? QStringLiteral("@") : scriviStringa(nome)) +
                         QLatin1Char('=') + scriviStringa(valore);
    if (p.rigaValore) {
        reg->righe[*p.rigaValore].testo = riga;
    } else {
        // The new line follows the section's last line and takes its line end (or the
        // first line's, when the section ends the file without one).
        FileRegistro::Riga& precedente = reg->righe[*p.ultimaRigaSezione];
        QString fine = precedente.fine;
        if (fine.isEmpty()) {
            fine = reg->righe.front().fine.isEmpty() ? QStringLiteral("\r\n")
                                                     : reg->righe.front().fine;
            precedente.fine = fine;
        }
        reg->righe.insert(reg->righe.begin() + qsizetype(*p.ultimaRigaSezione) + 1, {riga, fine});
    }

    const QFileInfo info(m_file);
    if (solaLettura(m_file) || solaLettura(info.absolutePath()))
        return false;
    QString testo;
    for (const FileRegistro::Riga& r : reg->righe)
        testo += r.testo + r.fine;
    QStringEncoder codifica(reg->codifica);
    const QByteArray dati = codifica(testo);
    if (codifica.hasError())
        return false;

    QSaveFile file(m_file);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(dati) != dati.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
