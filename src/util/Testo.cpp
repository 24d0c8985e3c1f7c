#include "Utilitylibrary.h"

#include <algorithm>

QString utSinistra(const QString& s, int n) {
    return n <= 0 ? QString() : s.left(n);
}

QString utDestra(const QString& s, int n) {
    return n <= 0 ? QString() : s.right(n);
}

QString utDa(const QString& s, int p) {
    return s.mid(std::max(p, 1) - 1);
}

// An empty t is found nowhere, so that replacing it cannot loop.
int utPosDa(const QString& s, const QString& t, int p) {
    if (t.isEmpty())
        return 0;
    return int(s.indexOf(t, std::max(p, 1) - 1)) + 1;
}

QString utSostituisci(const QString& s, const QString& t, const QString& r) {
    // The search goes on after each replacement, so an r that contains t is left alone.
    QString risultato;
    int da = 1;
    for (int pos = utPosDa(s, t, da); pos > 0; pos = utPosDa(s, t, da)) {
        risultato += QStringView(s).mid(da - 1, pos - da);
        risultato += r;
        da = pos + int(t.size());
    }
    risultato += QStringView(s).mid(da - 1);
    return risultato;
}

QString utTestoTra(const QString& s, const QString& a, const QString& b) {
    const int posA = utPosDa(s, a, 1);
    if (posA == 0)
        return QString();
    const int inizio = posA + int(a.size());
    const int posB = utPosDa(s, b, inizio);
    if (posB == 0)
        return QString();
    return s.mid(inizio - 1, posB - inizio);
}
