#include "CollegamentoCampi.h"

#include "AccessoDati.h"
#include "DataSet.h"
#include "Utilitylibrary.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpressionValidator>

namespace {
// Runs `azione` with `bandiera` set, also when it throws.
template <typename F> void con(bool& bandiera, F&& azione) {
    bandiera = true;
    try {
        azione();
    } catch (...) {
        bandiera = false;
        throw;
    }
    bandiera = false;
}
} // namespace

CollegamentoCampi::CollegamentoCampi(DataSet& ds, QObject* parent) : QObject(parent), m_ds(ds) {
    const auto seguire = [this] {
        if (!m_scrivendo)
            aggiorna();
    };
    connect(&ds, &DataSet::correnteCambiato, this, seguire);
    connect(&ds, &DataSet::statoCambiato, this, seguire);
    connect(&ds, &QAbstractItemModel::modelReset, this, seguire);
    connect(&ds, &QAbstractItemModel::dataChanged, this, seguire);
}

void CollegamentoCampi::testo(QLineEdit* box, const QString& campo) {
    if (const int lunghezza = m_ds.lunghezzaCampo(campo); lunghezza > 0)
        box->setMaxLength(lunghezza);
    connect(box, &QLineEdit::textEdited, this, [this, box, campo](const QString& testo) {
        // A one-line box holds one line: pasted line breaks and tabs become blanks.
        const QString riga = utUnaRiga(testo);
        if (riga != testo) {
            const int cursore = box->cursorPosition();
            box->setText(riga);
            box->setCursorPosition(cursore);
        }
        scrivi(campo, riga);
    });
    mostra(box, campo);
}

void CollegamentoCampi::numero(QLineEdit* box, const QString& campo, bool intero) {
    // What can be typed on the way to a number: digits with points between them, a
    // decimal comma. Only a text the reader takes is written; the card checks the box
    // again when it is confirmed.
    static const QRegularExpression numero(QStringLiteral("-?[\\d.]{0,20}(,\\d{0,6})?"));
    static const QRegularExpression interoValido(QStringLiteral("-?[\\d.]{0,20}"));
    box->setValidator(new QRegularExpressionValidator(intero ? interoValido : numero, box));
    connect(box, &QLineEdit::textEdited, this, [this, campo, intero](const QString& testo) {
        bool ok = false;
        const double n = intero ? utInteroDigitato(testo, &ok) : utNumeroDigitato(testo, &ok);
        if (testo.trimmed().isEmpty())
            scrivi(campo, 0.0);
        else if (ok)
            scrivi(campo, n);
    });
    mostra(box, campo);
}

void CollegamentoCampi::mostra(QLineEdit* box, const QString& campo) {
    aggiungi([this, box, campo] {
        const QString testo = m_ds.riga() < 0 ? QString() : m_ds.testo(campo);
        if (box->text() != testo)
            box->setText(testo);
    });
}

void CollegamentoCampi::memo(QPlainTextEdit* box, const QString& campo) {
    // Tab moves on to the next field, as in every other box of a card, instead of writing
    // a tab character into the note.
    box->setTabChangesFocus(true);
    const int lunghezza = m_ds.lunghezzaCampo(campo);
    connect(box, &QPlainTextEdit::textChanged, this, [this, box, campo, lunghezza] {
        if (m_aggiornando)
            return;
        QString testo = box->toPlainText();
        if (lunghezza > 0 && testo.size() > lunghezza) {
            // Typed or pasted beyond the column: keep what fits, caret at the end.
            testo.truncate(lunghezza);
            con(m_aggiornando, [&] { box->setPlainText(testo); });
            box->moveCursor(QTextCursor::End);
        }
        scrivi(campo, testo);
    });
    aggiungi([this, box, campo] {
        const QString testo = m_ds.riga() < 0 ? QString() : m_ds.testo(campo);
        if (box->toPlainText() != testo)
            box->setPlainText(testo);
    });
}

void CollegamentoCampi::casella(QCheckBox* box, const QString& campo) {
    connect(box, &QCheckBox::clicked, this, [this, campo](bool scelto) { scrivi(campo, scelto); });
    aggiungi(
        [this, box, campo] { box->setChecked(m_ds.riga() >= 0 && m_ds.valore(campo).toBool()); });
}

void CollegamentoCampi::elenco(QComboBox* box, const QString& campo, DataSet& voci,
                               const QString& campoTesto) {
    box->setEditable(false);
    const auto riempi = [this, box, &voci, campoTesto] {
        con(m_aggiornando, [&] { riempiElenco(box, voci, campoTesto); });
        aggiorna();
    };
    connect(&voci, &QAbstractItemModel::modelReset, this, riempi);
    connect(&voci, &QAbstractItemModel::rowsInserted, this, riempi);
    connect(&voci, &QAbstractItemModel::rowsRemoved, this, riempi);
    connect(&voci, &QAbstractItemModel::dataChanged, this, riempi);
    connect(box, &QComboBox::activated, this,
            [this, box, campo](int indice) { scrivi(campo, box->itemData(indice)); });
    con(m_aggiornando, [&] { riempiElenco(box, voci, campoTesto); });
    aggiungi([this, box, campo] {
        box->setCurrentIndex(m_ds.riga() < 0 ? -1 : box->findData(m_ds.valore(campo)));
    });
}

void CollegamentoCampi::riempiElenco(QComboBox* box, const DataSet& voci,
                                     const QString& campoTesto) {
    box->clear();
    for (int r = 0; r < voci.conteggio(); ++r)
        box->addItem(TestoValore(voci.valore(r, campoTesto)), voci.valore(r, QStringLiteral("ID")));
}

void CollegamentoCampi::aggiungi(std::function<void()> mostra) {
    m_legami.append(mostra);
    con(m_aggiornando, mostra);
}

void CollegamentoCampi::aggiorna() {
    if (m_aggiornando)
        return;
    con(m_aggiornando, [this] {
        for (const auto& mostra : std::as_const(m_legami))
            mostra();
    });
}

void CollegamentoCampi::scrivi(const QString& campo, const QVariant& valore) {
    if (m_aggiornando)
        return;
    if (m_ds.riga() < 0)
        return;
    con(m_scrivendo, [&] {
        if (m_ds.stato() == DataSet::Stato::Consultazione)
            m_ds.modifica();
        m_ds.imposta(campo, valore);
    });
}
