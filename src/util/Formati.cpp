#include "Formati.h"

#include <cmath>
#include <limits>

namespace {

const QString formatoData = QStringLiteral("dd/MM/yyyy");
const QString formatoOra = QStringLiteral("HH:mm:ss");

} // namespace

QLocale utLocale() {
    QLocale locale(QLocale::Italian, QLocale::Italy);
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}

QString utTestoData(const QDate& d) {
    return d.toString(formatoData);
}

QString utTestoDataOra(const QDateTime& dt) {
    if (!dt.isValid())
        return QString();
    if (dt.time() == QTime(0, 0))
        return utTestoData(dt.date());
    return utTestoData(dt.date()) + QLatin1Char(' ') + dt.time().toString(formatoOra);
}

QDate utDataDaTesto(const QString& testo) {
    // "d" and "M" read one or two digits, so "5/3/2024" and "05/03/2024" both work.
    return QDate::fromString(testo.trimmed(), QStringLiteral("d/M/yyyy"));
}

QDateTime utDataOraDaTesto(const QString& testo) {
    const QString t = testo.trimmed();
    const int spazio = t.indexOf(QLatin1Char(' '));
    const QDate data = utDataDaTesto(spazio < 0 ? t : t.left(spazio));
    if (!data.isValid())
        return QDateTime();
    if (spazio < 0)
        return QDateTime(data, QTime(0, 0));
    const QString parteOra = t.mid(spazio + 1).trimmed();
    QTime ora = QTime::fromString(parteOra, QStringLiteral("H:mm:ss"));
    if (!ora.isValid())
        ora = QTime::fromString(parteOra, QStringLiteral("H:mm"));
    if (!ora.isValid())
        return QDateTime();
    return QDateTime(data, ora);
}

QString utTestoNumero(double n) {
    // Adding 0.0 turns a negative zero into zero, so that no "-0" is ever shown.
    return utLocale().toString(n + 0.0, 'g', 15);
}

double utNumeroDaTesto(const QString& testo, bool* ok) {
    // The Italian locale reads a point as a thousands separator ("2.5" would be 25):
    // a point typed as the decimal separator is read as the comma it stands for.
    QString t = testo.trimmed();
    t.replace(QLatin1Char('.'), QLatin1Char(','));
    QLocale locale = utLocale();
    locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    return locale.toDouble(t, ok);
}

double utNumeroDigitato(const QString& testo, bool* ok) {
    const QString t = testo.trimmed();
    // The number rewritten in the C form ("-12000.5"), digit by digit as checked.
    QString c;
    int i = 0;
    if (i < t.size() && t.at(i) == QLatin1Char('-'))
        c += t.at(i++);
    const auto cifra = [&t](int k) {
        return k < t.size() && t.at(k) >= QLatin1Char('0') && t.at(k) <= QLatin1Char('9');
    };
    // The whole part: plain digits, or groups of three after a point ("12.000").
    int cifreGruppo = 0;
    bool raggruppato = false;
    bool valido = cifra(i);
    for (; valido && i < t.size() && t.at(i) != QLatin1Char(','); ++i) {
        if (cifra(i)) {
            c += t.at(i);
            ++cifreGruppo;
            valido = !raggruppato || cifreGruppo <= 3;
        } else if (t.at(i) == QLatin1Char('.')) {
            valido = raggruppato ? cifreGruppo == 3 : cifreGruppo <= 3;
            raggruppato = true;
            cifreGruppo = 0;
        } else {
            valido = false;
        }
    }
    valido = valido && (!raggruppato || cifreGruppo == 3);
    // The decimals: at least one digit after the comma, and nothing else.
    if (valido && i < t.size()) {
        c += QLatin1Char('.');
        valido = cifra(++i);
        for (; valido && i < t.size(); ++i) {
            valido = cifra(i);
            c += t.at(i);
        }
    }
    bool letto = false;
    const double n = valido ? c.toDouble(&letto) : 0;
    letto = letto && std::isfinite(n);
    if (ok)
        *ok = letto;
    // Adding 0.0 reads "-0" as 0.
    return letto ? n + 0.0 : 0;
}

int utInteroDigitato(const QString& testo, bool* ok) {
    bool letto = false;
    const double n = utNumeroDigitato(testo, &letto);
    letto = letto && n == std::trunc(n) && n >= std::numeric_limits<int>::min() &&
            n <= std::numeric_limits<int>::max();
    if (ok)
        *ok = letto;
    return letto ? int(n) : 0;
}

QString utUnaRiga(const QString& testo) {
    QString riga = testo;
    riga.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    for (QChar& c : riga) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            c = QLatin1Char(' ');
    }
    return riga;
}
