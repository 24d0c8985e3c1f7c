// The values of a data set: column kinds from declared types, conversion of values to and
// from the database, and the comparison that sorts rows as SQLite sorts them.

#include "DataSetValori.h"

#include "AccessoDati.h"
#include "Formati.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QTime>
#include <algorithm>
#include <limits>

namespace dataset {

Tipo tipoDaDichiarato(const char* dichiarato) {
    if (!dichiarato || !*dichiarato)
        return Tipo::Libero;
    const QString t = QString::fromUtf8(dichiarato).toUpper();
    if (t.contains(QLatin1String("DATE")) || t.contains(QLatin1String("TIME")))
        return Tipo::Data;
    if (t.contains(QLatin1String("BOOL")))
        return Tipo::Booleano;
    if (t.contains(QLatin1String("INT")))
        return Tipo::Intero;
    for (const char* reale : {"REAL", "FLOA", "DOUB", "NUMERIC", "DECIMAL"}) {
        if (t.contains(QLatin1String(reale)))
            return Tipo::Reale;
    }
    return Tipo::Testo;
}

namespace {

int cifre(const QString& s, int da, int n) {
    int valore = 0;
    for (int i = da; i < da + n; ++i) {
        const char16_t c = s.at(i).unicode();
        if (c < u'0' || c > u'9')
            return -1;
        valore = valore * 10 + (c - u'0');
    }
    return valore;
}

} // namespace

QVariant dataDaIso(const QString& s) {
    if (s.size() < 10 || s.at(4) != QLatin1Char('-') || s.at(7) != QLatin1Char('-'))
        return s;
    const QDate data(cifre(s, 0, 4), cifre(s, 5, 2), cifre(s, 8, 2));
    if (!data.isValid())
        return s;
    if (s.size() == 10)
        return data;
    // Only a complete time ("HH:MM" or "HH:MM:SS") and nothing after it makes a date and
    // time: any other text is kept as it is stored.
    if ((s.size() == 16 || (s.size() == 19 && s.at(16) == QLatin1Char(':'))) &&
        (s.at(10) == QLatin1Char(' ') || s.at(10) == QLatin1Char('T')) &&
        s.at(13) == QLatin1Char(':')) {
        const bool secondi = s.size() == 19;
        const QTime ora(cifre(s, 11, 2), cifre(s, 14, 2), secondi ? cifre(s, 17, 2) : 0);
        if (ora.isValid())
            return QDateTime(data, ora);
    }
    return s;
}

QVariant aDatabase(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::QDate:
        return v.toDate().toString(Qt::ISODate);
    case QMetaType::QDateTime:
        return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case QMetaType::Bool:
        return v.toBool() ? 1 : 0;
    default:
        return v;
    }
}

std::optional<QVariant> converti(const QVariant& v, Tipo tipo) {
    if (nullo(v))
        return QVariant();
    const int id = v.typeId();
    const bool testo = id == QMetaType::QString;
    const QString s = testo ? v.toString().trimmed() : QString();
    if (testo && s.isEmpty() && tipo != Tipo::Testo && tipo != Tipo::Libero)
        return QVariant();
    bool ok = true;
    switch (tipo) {
    case Tipo::Testo:
        // An empty text is stored as an empty text, never as SQL null (a null QString
        // would be bound as null).
        if (testo && v.toString().isNull())
            return QVariant(QStringLiteral(""));
        return testo ? v : QVariant(TestoValore(v));
    case Tipo::Libero:
        return v;
    case Tipo::Intero: {
        if (id == QMetaType::Bool)
            return QVariant(v.toBool() ? 1 : 0);
        const double x = testo ? utNumeroDaTesto(s, &ok) : v.toDouble(&ok);
        // A 32-bit column: a number out of its range is refused, never wrapped.
        if (!ok || x < std::numeric_limits<int>::min() || x > std::numeric_limits<int>::max() ||
            x != double(int(x)) || (!testo && !numerico(id)))
            return std::nullopt;
        return QVariant(int(x));
    }
    case Tipo::Reale: {
        if (id == QMetaType::Bool)
            return QVariant(v.toBool() ? 1.0 : 0.0);
        const double x = testo ? utNumeroDaTesto(s, &ok) : v.toDouble(&ok);
        if (!ok || (!testo && !numerico(id)))
            return std::nullopt;
        return QVariant(x);
    }
    case Tipo::Booleano: {
        if (id == QMetaType::Bool)
            return v;
        if (numerico(id))
            return QVariant(v.toDouble() != 0);
        const QString p = s.toLower();
        if (p == QLatin1String("true") || p == QLatin1String("1") || p == QLatin1String("-1"))
            return QVariant(true);
        if (p == QLatin1String("false") || p == QLatin1String("0"))
            return QVariant(false);
        return std::nullopt;
    }
    case Tipo::Data: {
        if (id == QMetaType::QDate || id == QMetaType::QDateTime)
            return v;
        if (!testo)
            return std::nullopt;
        const QDateTime dt = utDataOraDaTesto(s);
        if (dt.isValid())
            return s.contains(QLatin1Char(':')) ? QVariant(dt) : QVariant(dt.date());
        const QVariant iso = dataDaIso(s);
        if (iso.typeId() == QMetaType::QString)
            return std::nullopt;
        return iso;
    }
    }
    return std::nullopt;
}

// ---- the order of the rows, as SQLite sorts them ----------------------------------------

namespace {

// SQLite sorts null first, then numbers, then text, then blobs.
int classeOrdine(const QVariant& v) {
    if (nullo(v))
        return 0;
    const int id = v.typeId();
    if (id == QMetaType::Bool || numerico(id))
        return 1;
    return id == QMetaType::QByteArray ? 3 : 2;
}

// Compares UTF-8 texts byte by byte as the collations BINARY and NOCASE do (NOCASE folds
// the ASCII letters only).
int confrontaTesti(const QByteArray& a, const QByteArray& b, bool senzaMaiuscole) {
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(a.at(i));
        unsigned char y = static_cast<unsigned char>(b.at(i));
        if (senzaMaiuscole) {
            if (x >= 'A' && x <= 'Z')
                x += 'a' - 'A';
            if (y >= 'A' && y <= 'Z')
                y += 'a' - 'A';
        }
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

} // namespace

int confrontaValori(const QVariant& a, const QVariant& b, bool senzaMaiuscole) {
    const int ca = classeOrdine(a);
    const int cb = classeOrdine(b);
    if (ca != cb)
        return ca < cb ? -1 : 1;
    switch (ca) {
    case 0:
        return 0;
    case 1: {
        const double x = a.toDouble();
        const double y = b.toDouble();
        return x < y ? -1 : (y < x ? 1 : 0);
    }
    case 3:
        return confrontaTesti(a.toByteArray(), b.toByteArray(), false);
    default:
        // Dates compare as the ISO text they are stored as.
        return confrontaTesti(aDatabase(a).toString().toUtf8(), aDatabase(b).toString().toUtf8(),
                              senzaMaiuscole);
    }
}

bool uguali(const QVariant& a, const QVariant& b) {
    if (nullo(a) || nullo(b))
        return nullo(a) && nullo(b);
    return a == b;
}

} // namespace dataset
