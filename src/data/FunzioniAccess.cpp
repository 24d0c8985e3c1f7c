// The SQL functions registered on every SQLite connection of the program (VAL, YEAR,
// MONTH, DAY, NOW, DATE), with their Access meaning on the stored forms: dates are ISO text
// ('YYYY-MM-DD', 'YYYY-MM-DD HH:MM:SS'), booleans 0 and 1.

#include "Connessione.h"

#include "ErroreDb.h"
#include "Formati.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QVariant>
#include <cmath>
#include <sqlite3.h>

namespace {

QString testoDi(sqlite3_value* v) {
    const auto* utf8 = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return QString::fromUtf8(utf8, sqlite3_value_bytes(v));
}

// The day of a stored date: ISO text, or an Italian short date text (the form in which
// the program writes parameters). An invalid date for anything else.
QDate dataDi(sqlite3_value* v) {
    if (sqlite3_value_type(v) != SQLITE_TEXT)
        return {};
    const QString s = testoDi(v).trimmed();
    const QDate iso = QDate::fromString(s.left(10), Qt::ISODate);
    if (iso.isValid() && (s.size() == 10 || s.at(10) == QLatin1Char(' ')))
        return iso;
    return utDataOraDaTesto(s).date();
}

// Val: the number a text begins with, read with a decimal point whatever the locale.
// Blanks, tabs and line breaks anywhere in the text are ignored, as Access does; a text
// that does not begin with a number is 0; a number stays itself.
void fnVal(sqlite3_context* ctx, int, sqlite3_value** argv) {
    switch (sqlite3_value_type(argv[0])) {
    case SQLITE_NULL:
        sqlite3_result_null(ctx);
        return;
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        sqlite3_result_value(ctx, argv[0]);
        return;
    default:
        break;
    }
    static const QRegularExpression numero(
        QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eEdD][+-]?[0-9]+)?"));
    QString s = testoDi(argv[0]);
    s.removeIf([](QChar c) {
        return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') ||
               c == QLatin1Char('\r');
    });
    const QRegularExpressionMatch m = numero.match(s);
    if (!m.hasMatch()) {
        sqlite3_result_int64(ctx, 0);
        return;
    }
    const QString testo = m.captured(0);
    if (m.captured(2).isEmpty() && !testo.contains(QLatin1Char('.'))) {
        bool ok = false;
        const qlonglong intero = testo.toLongLong(&ok);
        if (ok) {
            sqlite3_result_int64(ctx, intero);
            return;
        }
    }
    // "1D2" is Access's double-precision exponent: 100.
    const double n =
        QString(testo).replace(QLatin1Char('d'), QLatin1Char('e'), Qt::CaseInsensitive).toDouble();
    if (std::isfinite(n) && n == std::trunc(n) && std::fabs(n) < 9.0e15)
        sqlite3_result_int64(ctx, static_cast<sqlite3_int64>(n));
    else
        sqlite3_result_double(ctx, n);
}

template <int (QDate::*parte)() const>
void fnParteData(sqlite3_context* ctx, int, sqlite3_value** argv) {
    const QDate d = dataDi(argv[0]);
    if (d.isValid())
        sqlite3_result_int(ctx, (d.*parte)());
    else
        sqlite3_result_null(ctx);
}

void risultatoTesto(sqlite3_context* ctx, const QString& s) {
    const QByteArray utf8 = s.toUtf8();
    sqlite3_result_text(ctx, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
}

void fnNow(sqlite3_context* ctx, int, sqlite3_value**) {
    risultatoTesto(ctx,
                   QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
}

void fnDate(sqlite3_context* ctx, int, sqlite3_value**) {
    risultatoTesto(ctx, QDate::currentDate().toString(Qt::ISODate));
}

} // namespace

void RegistraFunzioniAccess(QSqlDatabase& db) {
    const QVariant v = db.driver() ? db.driver()->handle() : QVariant();
    sqlite3* h = nullptr;
    if (v.isValid() && qstrcmp(v.typeName(), "sqlite3*") == 0)
        h = *static_cast<sqlite3* const*>(v.constData());
    if (!h)
        throw ErroreDb(QStringLiteral("La connessione non è un database SQLite aperto."),
                       QString::number(SQLITE_MISUSE));

    using Funzione = void (*)(sqlite3_context*, int, sqlite3_value**);
    struct Definizione {
        const char* nome;
        int argomenti;
        bool deterministica;
        Funzione f;
    };
    const Definizione funzioni[] = {
        {"VAL", 1, true, fnVal},
        {"YEAR", 1, true, fnParteData<&QDate::year>},
        {"MONTH", 1, true, fnParteData<&QDate::month>},
        {"DAY", 1, true, fnParteData<&QDate::day>},
        {"NOW", 0, false, fnNow},
        {"DATE", 0, false, fnDate},
    };
    for (const Definizione& d : funzioni) {
        const int flag =
            SQLITE_UTF8 | SQLITE_INNOCUOUS | (d.deterministica ? SQLITE_DETERMINISTIC : 0);
        const int rc = sqlite3_create_function_v2(h, d.nome, d.argomenti, flag, nullptr, d.f,
                                                  nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK)
            throw ErroreDb(QStringLiteral("Impossibile registrare la funzione SQL ") +
                               QLatin1String(d.nome) + QStringLiteral(": ") +
                               QString::fromUtf8(sqlite3_errstr(rc)),
                           QString::number(rc));
    }
}
