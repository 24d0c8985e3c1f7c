// The Access dialect: a statement is cut into tokens, so that quoted texts and names pass
// through untouched, and the few Access forms are rewritten token by token for SQLite.

#include "Connessione.h"

#include "Formati.h"

#include <QDateTime>
#include <QList>
#include <QStringList>
#include <algorithm>

namespace {

enum class Tipo { Spazio, Parola, Testo, Nome, DataAccess, Operatore, Aperta, Chiusa, Altro };

struct Token {
    Tipo tipo;
    QString testo;
    // For DataAccess: the literal in SQLite form.
    QString sqlite;
};

// The content of a #m/d/yyyy# or #m/d/yyyy h:mm:ss# literal as SQLite text; empty when it
// is not a date.
QString dataAccess(const QString& contenuto) {
    const QString s = contenuto.trimmed();
    const int spazio = s.indexOf(QLatin1Char(' '));
    const QDate d = QDate::fromString(spazio < 0 ? s : s.left(spazio), QStringLiteral("M/d/yyyy"));
    if (!d.isValid())
        return {};
    QString risultato = QLatin1Char('\'') + d.toString(Qt::ISODate);
    if (spazio >= 0) {
        const QString parteOra = s.mid(spazio + 1).trimmed();
        QTime ora = QTime::fromString(parteOra, QStringLiteral("H:mm:ss"));
        if (!ora.isValid())
            ora = QTime::fromString(parteOra, QStringLiteral("H:mm"));
        if (!ora.isValid())
            return {};
        risultato += QLatin1Char(' ') + ora.toString(QStringLiteral("HH:mm:ss"));
    }
    return risultato + QLatin1Char('\'');
}

bool carattereParola(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

bool carattereOperatore(QChar c) {
    return c == QLatin1Char('<') || c == QLatin1Char('>') || c == QLatin1Char('=') ||
           c == QLatin1Char('!');
}

// The end (exclusive) of a quoted text starting at `inizio`; a doubled delimiter stays inside.
qsizetype fineQuotato(const QString& s, qsizetype inizio, QChar chiusura) {
    qsizetype i = inizio + 1;
    while (i < s.size()) {
        if (s.at(i) == chiusura) {
            if (chiusura != QLatin1Char(']') && i + 1 < s.size() && s.at(i + 1) == chiusura) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return s.size();
}

QList<Token> tokenizza(const QString& s) {
    QList<Token> token;
    qsizetype i = 0;
    while (i < s.size()) {
        const QChar c = s.at(i);
        qsizetype fine = i + 1;
        Tipo tipo = Tipo::Altro;
        QString sqlite;
        if (c.isSpace()) {
            while (fine < s.size() && s.at(fine).isSpace())
                ++fine;
            tipo = Tipo::Spazio;
        } else if (c == QLatin1Char('\'')) {
            fine = fineQuotato(s, i, c);
            tipo = Tipo::Testo;
        } else if (c == QLatin1Char('"')) {
            fine = fineQuotato(s, i, c);
            tipo = Tipo::Nome;
        } else if (c == QLatin1Char('[')) {
            fine = fineQuotato(s, i, QLatin1Char(']'));
            tipo = Tipo::Nome;
        } else if (c == QLatin1Char('#')) {
            const qsizetype chiusa = s.indexOf(QLatin1Char('#'), i + 1);
            if (chiusa > 0) {
                sqlite = dataAccess(s.mid(i + 1, chiusa - i - 1));
                if (!sqlite.isEmpty()) {
                    fine = chiusa + 1;
                    tipo = Tipo::DataAccess;
                }
            }
        } else if (carattereParola(c)) {
            while (fine < s.size() && carattereParola(s.at(fine)))
                ++fine;
            tipo = Tipo::Parola;
        } else if (carattereOperatore(c)) {
            while (fine < s.size() && carattereOperatore(s.at(fine)))
                ++fine;
            tipo = Tipo::Operatore;
        } else if (c == QLatin1Char('(')) {
            tipo = Tipo::Aperta;
        } else if (c == QLatin1Char(')')) {
            tipo = Tipo::Chiusa;
        }
        token.append({tipo, s.mid(i, fine - i), sqlite});
        i = fine;
    }
    return token;
}

bool eParola(const Token& t, const char* parola) {
    return t.tipo == Tipo::Parola &&
           t.testo.compare(QLatin1String(parola), Qt::CaseInsensitive) == 0;
}

bool eConfronto(const Token& t) {
    static const QStringList operatori{
        QStringLiteral("="), QStringLiteral("=="), QStringLiteral("<>"), QStringLiteral("!="),
        QStringLiteral("<"), QStringLiteral(">"),  QStringLiteral("<="), QStringLiteral(">=")};
    return t.tipo == Tipo::Operatore && operatori.contains(t.testo);
}

bool eNumeroIntero(const Token& t) {
    if (t.tipo != Tipo::Parola)
        return false;
    for (const QChar c : t.testo) {
        if (!c.isDigit())
            return false;
    }
    return true;
}

// A quoted Italian short date ('05/03/2024', also with a time) as SQLite text; empty when
// the text is not one.
QString dataBreve(const QString& quotato) {
    const QString s = quotato.mid(1, quotato.size() - 2);
    if (!s.contains(QLatin1Char('/')))
        return {};
    const QDateTime dt = utDataOraDaTesto(s);
    if (!dt.isValid())
        return {};
    QString iso = dt.date().toString(Qt::ISODate);
    if (s.contains(QLatin1Char(':')))
        iso += QLatin1Char(' ') + dt.time().toString(QStringLiteral("HH:mm:ss"));
    return QLatin1Char('\'') + iso + QLatin1Char('\'');
}

// The schema under which the caller attached a database file: its name without folder
// and without ".mdb".
QString schemaDelFile(QString file) {
    if (file.size() >= 2 && file.front() == QLatin1Char('\'') && file.back() == QLatin1Char('\''))
        file = file.mid(1, file.size() - 2);
    file = file.mid(
        std::max(file.lastIndexOf(QLatin1Char('/')), file.lastIndexOf(QLatin1Char('\\'))) + 1);
    if (file.endsWith(QLatin1String(".mdb"), Qt::CaseInsensitive))
        file.chop(4);
    for (const QChar c : file) {
        if (!carattereParola(c))
            return QLatin1Char('"') + file + QLatin1Char('"');
    }
    return file;
}

class Traduttore {
public:
    explicit Traduttore(const QString& sql) : m_token(tokenizza(sql)) {}

    QString traduci() {
        m_livelli.append({0, {}, false});
        for (m_i = 0; m_i < m_token.size(); ++m_i) {
            const Token& t = m_token.at(m_i);
            if (t.tipo == Tipo::Spazio) {
                m_out += t.testo;
                continue;
            }
            if (m_i == m_tabellaInsert)
                m_posTabellaInsert = m_out.size();
            const int indice = m_i;
            emetti(t);
            m_precedente = indice;
        }
        // Parentheses left open stay open: only their LIMIT is placed.
        while (!m_livelli.isEmpty())
            chiudiLivello(false);
        return m_out;
    }

private:
    // One level of parentheses (the statement itself is level 0).
    struct Livello {
        qsizetype inizio; // position of "(" in the output
        QString limite;   // the n of a SELECT TOP n of this level
        bool isnull;      // the parentheses of ISNULL( ... )
    };

    int prossimo(int i) const {
        do
            ++i;
        while (i < m_token.size() && m_token.at(i).tipo == Tipo::Spazio);
        return i;
    }
    bool prossimoE(int i, bool (*test)(const Token&)) const {
        const int j = prossimo(i);
        return j < m_token.size() && test(m_token.at(j));
    }
    const Token* precedente() const {
        return m_precedente >= 0 ? &m_token.at(m_precedente) : nullptr;
    }
    bool livelloZero() const { return m_livelli.size() == 1; }

    void emetti(const Token& t) {
        switch (t.tipo) {
        case Tipo::Parola:
            emettiParola(t);
            return;
        case Tipo::Testo: {
            const QString data = operandoConfronto() ? dataBreve(t.testo) : QString();
            m_out += data.isEmpty() ? t.testo : data;
            return;
        }
        case Tipo::DataAccess:
            m_out += t.sqlite;
            return;
        case Tipo::Aperta:
            m_livelli.append({m_out.size(), {}, m_isnullInAttesa});
            m_isnullInAttesa = false;
            m_out += t.testo;
            return;
        case Tipo::Chiusa:
            if (livelloZero())
                m_out += t.testo;
            else
                chiudiLivello(true);
            return;
        case Tipo::Altro:
            if (t.testo == QLatin1String(";") && livelloZero()) {
                chiudiLivello(false);
                m_livelli.append({m_out.size(), {}, false});
                m_inSet = false;
                m_tabellaInsert = -1;
            }
            m_out += t.testo;
            return;
        default:
            m_out += t.testo;
            return;
        }
    }

    void emettiParola(const Token& t) {
        if (eParola(t, "TRUE") || eParola(t, "FALSE")) {
            m_out += eParola(t, "TRUE") ? QLatin1Char('1') : QLatin1Char('0');
            return;
        }
        if (eParola(t, "ISNULL") &&
            prossimoE(m_i, [](const Token& p) { return p.tipo == Tipo::Aperta; })) {
            // ISNULL(x) becomes (x IS NULL): the word goes, its parentheses stay.
            m_isnullInAttesa = true;
            m_i = prossimo(m_i) - 1;
            return;
        }
        if (eParola(t, "SELECT")) {
            emettiSelect(t);
            return;
        }
        if (livelloZero()) {
            if (eParola(t, "SET"))
                m_inSet = true;
            else if (eParola(t, "WHERE"))
                m_inSet = false;
            else if (eParola(t, "INSERT") &&
                     prossimoE(m_i, [](const Token& p) { return eParola(p, "INTO"); }))
                m_tabellaInsert = 0;
            else if (eParola(t, "INTO") && m_tabellaInsert == 0)
                m_tabellaInsert = prossimo(m_i);
            else if (eParola(t, "VALUES"))
                m_tabellaInsert = -1;
            else if (eParola(t, "IN") && m_tabellaInsert > 0) {
                emettiInsertIn();
                return;
            }
        }
        if (eParola(t, "BETWEEN"))
            m_inBetween = true;
        m_andBetween = eParola(t, "AND") && m_inBetween;
        if (m_andBetween)
            m_inBetween = false;
        m_out += t.testo;
    }

    // SELECT [DISTINCT] TOP n: the TOP goes, the n becomes the LIMIT of this level.
    void emettiSelect(const Token& t) {
        if (livelloZero())
            m_tabellaInsert = -1;
        m_out += t.testo;
        int j = prossimo(m_i);
        int ultimoTenuto = m_i;
        if (j < m_token.size() && eParola(m_token.at(j), "DISTINCT")) {
            ultimoTenuto = j;
            j = prossimo(j);
        }
        const int n = prossimo(j);
        if (j < m_token.size() && eParola(m_token.at(j), "TOP") && n < m_token.size() &&
            eNumeroIntero(m_token.at(n))) {
            for (int k = m_i + 1; k <= ultimoTenuto; ++k)
                m_out += m_token.at(k).testo;
            m_livelli.last().limite = m_token.at(n).testo;
            m_i = n;
        }
    }

    // INSERT INTO t ( ... ) IN file SELECT ...: the target table is named in the schema of
    // the attached file, and "IN file" goes.
    void emettiInsertIn() {
        int j = prossimo(m_i);
        QString file;
        while (j < m_token.size() && m_token.at(j).tipo != Tipo::Spazio &&
               m_token.at(j).tipo != Tipo::Aperta) {
            file += m_token.at(j).testo;
            ++j;
        }
        while (j < m_token.size() && m_token.at(j).tipo == Tipo::Spazio)
            ++j;
        m_out.insert(m_posTabellaInsert, schemaDelFile(file) + QLatin1Char('.'));
        m_tabellaInsert = -1;
        m_i = j - 1;
    }

    // A quoted text stands as an operand of a comparison: after or before a comparison
    // operator (not the "=" of an UPDATE's SET list), or a bound of BETWEEN.
    bool operandoConfronto() const {
        const Token* prima = precedente();
        if (prima && eConfronto(*prima))
            return !(m_inSet && livelloZero());
        if (prima && (eParola(*prima, "BETWEEN") || (eParola(*prima, "AND") && m_andBetween)))
            return true;
        return prossimoE(m_i, eConfronto);
    }

    // Ends a level: its LIMIT goes before the trailing blanks, then its ")" when
    // `parentesi`, and ISNULL's parentheses become an IS NULL test.
    void chiudiLivello(bool parentesi) {
        const Livello lv = m_livelli.takeLast();
        if (!lv.limite.isEmpty()) {
            qsizetype pos = m_out.size();
            while (pos > lv.inizio && m_out.at(pos - 1).isSpace())
                --pos;
            m_out.insert(pos, QStringLiteral(" LIMIT ") + lv.limite);
        }
        if (!parentesi)
            return;
        m_out += QLatin1Char(')');
        if (lv.isnull) {
            const QString dentro = m_out.mid(lv.inizio + 1, m_out.size() - lv.inizio - 2).trimmed();
            const bool semplice = std::all_of(dentro.begin(), dentro.end(), [](QChar c) {
                return carattereParola(c) || c == QLatin1Char('.') || c == QLatin1Char('[') ||
                       c == QLatin1Char(']');
            });
            m_out.truncate(lv.inizio);
            m_out += semplice ? QLatin1Char('(') + dentro + QStringLiteral(" IS NULL)")
                              : QStringLiteral("((") + dentro + QStringLiteral(") IS NULL)");
        }
    }

    QList<Token> m_token;
    QList<Livello> m_livelli;
    QString m_out;
    int m_i = 0;
    int m_precedente = -1;
    bool m_isnullInAttesa = false;
    bool m_inSet = false;
    bool m_inBetween = false;
    bool m_andBetween = false;
    // The token index of the INSERT's target table (0: INSERT seen, INTO expected; -1: none).
    int m_tabellaInsert = -1;
    qsizetype m_posTabellaInsert = 0;
};

} // namespace

QString TraduciSql(const QString& sqlAccess) {
    return Traduttore(sqlAccess).traduci();
}
