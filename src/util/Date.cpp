#include "Utilitylibrary.h"

#include <array>

namespace {

const std::array<QString, 12> nomiMesi = {
    QStringLiteral("Gennaio"), QStringLiteral("Febbraio"), QStringLiteral("Marzo"),
    QStringLiteral("Aprile"),  QStringLiteral("Maggio"),   QStringLiteral("Giugno"),
    QStringLiteral("Luglio"),  QStringLiteral("Agosto"),   QStringLiteral("Settembre"),
    QStringLiteral("Ottobre"), QStringLiteral("Novembre"), QStringLiteral("Dicembre")};

} // namespace

int utGiorno(const QDate& d) {
    return d.day();
}
int utMese(const QDate& d) {
    return d.month();
}
int utAnno(const QDate& d) {
    return d.year();
}
int utIndiceMese(const QDate& d) {
    return d.year() * 100 + d.month();
}

QDate utDataMin(const QDate& a, const QDate& b) {
    return b < a ? b : a;
}
QDate utDataMax(const QDate& a, const QDate& b) {
    return b > a ? b : a;
}

QString utNomeMese(int mese) {
    if (mese < 1 || mese > 12)
        return QStringLiteral("boh?");
    return nomiMesi[mese - 1];
}

// The abbreviation is the first three letters of the name in capitals ("GEN" ... "DIC").
int utNumeroMese(const QString& abbreviazione) {
    for (int mese = 1; mese <= 12; ++mese) {
        if (abbreviazione == nomiMesi[mese - 1].left(3).toUpper())
            return mese;
    }
    return 0;
}

QString utMeseAnno(const QDate& d) {
    return utNomeMese(d.month()) + QLatin1Char(' ') + QString::number(d.year());
}

QDate utDataDaMeseAnno(const QString& etichetta) {
    const int mese = utNumeroMese(etichetta.left(3).toUpper());
    bool ok = false;
    const int anno = etichetta.size() >= 4 ? etichetta.right(4).toInt(&ok) : 0;
    const QDate data(anno, mese, 1);
    if (mese == 0 || !ok || !data.isValid())
        throw Errore(QStringLiteral("\"%1\" non è un mese valido.").arg(etichetta));
    return data;
}

std::pair<QDate, QDate> utLimitiMese(const QDate& d) {
    const QDate primo(d.year(), d.month(), 1);
    return {primo, primo.addMonths(1).addDays(-1)};
}

QString utDataSql(const QDate& d) {
    return QStringLiteral("#%1/%2/%3#").arg(d.month()).arg(d.day()).arg(d.year());
}

// The C locale's general form: a decimal point and no thousands separators, whatever
// the user's settings. Adding 0.0 turns a negative zero into zero.
QString utNumeroSql(double n) {
    return QString::number(n + 0.0, 'g', 15);
}

QString utTestoSql(const QString& testo) {
    QString s = testo;
    return s.replace(QLatin1Char('\''), QStringLiteral("''"));
}
