#include "Formati.h"

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
