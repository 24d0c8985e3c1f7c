#include "TfrmSelArt.h"

#include "AccessoDati.h"
#include "Datamodule.h"
#include "Griglia.h"
#include "Messaggi.h"
#include "PannelliScheda.h"
#include "Utilitylibrary.h"
#include "Visualizzazione.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {
// The articles with the description of their unit; the search adds its conditions.
const QString SELECT_ARTICOLI =
    QStringLiteral(" SELECT A.ID AS ID, A.codint AS codint, A.descr AS descr, A.agea AS agea, "
                   "U.descr AS um ") +
    QStringLiteral(" FROM articoli A LEFT JOIN lstUm U ON A.um_id = U.ID ");
const QString ORDINE_ARTICOLI = QStringLiteral(" ORDER BY A.descr ");

constexpr double QUANTITA_MINIMA = 0;
constexpr double QUANTITA_MASSIMA = 100;

// The quantity typed ("1.500" is 1500, "2,5" two and a half); a text that is not a
// number ("2.5" included) counts as 0.
double quantitaDaTesto(const QString& testo) {
    return utNumeroDigitato(testo);
}

bool eInvio(const QKeyEvent* tasto) {
    return tasto->key() == Qt::Key_Return || tasto->key() == Qt::Key_Enter;
}

QToolButton* freccia(QWidget* genitore, const QString& nome, Qt::ArrowType verso) {
    auto* b = new QToolButton(genitore);
    b->setObjectName(nome);
    b->setArrowType(verso);
    b->setAutoRepeat(true);
    // The caret stays in the quantity box while the arrows are clicked.
    b->setFocusPolicy(Qt::NoFocus);
    b->setFixedSize(18, 12);
    return b;
}
} // namespace

TfrmSelArt::TfrmSelArt(TdmDati& dati, Messaggi& messaggi, QWidget* parent)
    : QDialog(parent), m_dati(dati), m_messaggi(messaggi) {
    // Tab and Shift+Tab follow the controls as they appear on screen.
    TabulazioneInOrdineVisivo(this);
    setObjectName(QStringLiteral("frmSelArt"));
    setWindowTitle(QStringLiteral("Dolvera - Selezione Articolo"));
    resize(460, 500);

    // The search by code is part of the query but never offered: its box stays hidden.
    auto* ricerca = new QGridLayout;
    edtSelArt_Descr = new QLineEdit(this);
    edtSelArt_Descr->setObjectName(QStringLiteral("edtSelArt_Descr"));
    edtSelArt_Cod = new QLineEdit(this);
    edtSelArt_Cod->setObjectName(QStringLiteral("edtSelArt_Cod"));
    auto* etichettaCod = new QLabel(QStringLiteral("Codice"), this);
    etichettaCod->hide();
    edtSelArt_Cod->hide();
    ricerca->addWidget(new QLabel(QStringLiteral("Descrizione"), this), 0, 0);
    ricerca->addWidget(edtSelArt_Descr, 0, 1);
    ricerca->addWidget(etichettaCod, 1, 0);
    ricerca->addWidget(edtSelArt_Cod, 1, 1);

    grArticoli = new Griglia(QStringLiteral("grArticoli"), this);
    grArticoli->setItemDelegate(new DelegatoAgea(grArticoli));
    // The query must be open for the list to know its columns.
    if (!m_dati.qrySelArt.aperto())
        apriElenco(SELECT_ARTICOLI + ORDINE_ARTICOLI);
    grArticoli->collega(m_dati.qrySelArt,
                        {{QStringLiteral("descr"), QStringLiteral("Descrizione")}});

    auto* legenda = new QLabel(
        QStringLiteral("N.B. : gli articoli in <b><font color=\"#ff0000\">ROSSO</font></b> "
                       "sono prodotti AGEA."),
        this);
    legenda->setObjectName(QStringLiteral("lblSelArtLegenda"));

    // The quantity: a text box that takes any text, and an up-down control beside it.
    edtSelArt_Qta = new QLineEdit(this);
    edtSelArt_Qta->setObjectName(QStringLiteral("edtSelArt_Qta"));
    edtSelArt_Qta->setMaximumWidth(90);
    edtSelArt_Qta->setAlignment(Qt::AlignRight);
    UpDown1 = new QWidget(this);
    UpDown1->setObjectName(QStringLiteral("UpDown1"));
    auto* frecce = new QVBoxLayout(UpDown1);
    frecce->setContentsMargins(0, 0, 0, 0);
    frecce->setSpacing(0);
    auto* su = freccia(UpDown1, QStringLiteral("UpDown1_Su"), Qt::UpArrow);
    auto* giu = freccia(UpDown1, QStringLiteral("UpDown1_Giu"), Qt::DownArrow);
    frecce->addWidget(su);
    frecce->addWidget(giu);
    DBText1 = new QLabel(this);
    DBText1->setObjectName(QStringLiteral("DBText1"));
    DBText1->setMinimumWidth(80);

    auto* Button1 = new QPushButton(QStringLiteral("&Ok"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    auto* Button2 = new QPushButton(QStringLiteral("&Annulla"), this);
    Button2->setObjectName(QStringLiteral("Button2"));

    auto* basso = new QHBoxLayout;
    basso->addWidget(new QLabel(QStringLiteral("Quantità"), this));
    basso->addWidget(edtSelArt_Qta);
    basso->addWidget(UpDown1);
    basso->addWidget(DBText1);
    basso->addStretch();
    basso->addWidget(Button1);
    basso->addWidget(Button2);

    auto* principale = new QVBoxLayout(this);
    principale->addLayout(ricerca);
    principale->addWidget(grArticoli, 1);
    principale->addWidget(legenda);
    principale->addLayout(basso);

    connect(edtSelArt_Descr, &QLineEdit::textChanged, this, &TfrmSelArt::SelArt_Criteri_Change);
    connect(edtSelArt_Cod, &QLineEdit::textChanged, this, &TfrmSelArt::SelArt_Criteri_Change);
    for (QLineEdit* box : {edtSelArt_Descr, edtSelArt_Cod, edtSelArt_Qta})
        box->installEventFilter(this);
    connect(su, &QToolButton::clicked, this, [this] { passoQuantita(1); });
    connect(giu, &QToolButton::clicked, this, [this] { passoQuantita(-1); });
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    connect(&m_dati.qrySelArt, &DataSet::correnteCambiato, this, &TfrmSelArt::mostraUm);
    connect(&m_dati.qrySelArt, &QAbstractItemModel::modelReset, this, &TfrmSelArt::mostraUm);
}

TfrmSelArt::~TfrmSelArt() = default;

int TfrmSelArt::articoloScelto() const {
    return m_articolo;
}

double TfrmSelArt::quantitaScelta() const {
    return m_quantita;
}

void TfrmSelArt::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    if (!evento->spontaneous())
        FormShow();
}

// Every show starts a new choice: empty search, quantity 0, every article listed.
void TfrmSelArt::FormShow() {
    {
        const QSignalBlocker bloccoDescr(edtSelArt_Descr);
        const QSignalBlocker bloccoCod(edtSelArt_Cod);
        edtSelArt_Descr->clear();
        edtSelArt_Cod->clear();
    }
    edtSelArt_Qta->setText(QStringLiteral("0"));
    m_invioPremuto = false;
    apriElenco(SELECT_ARTICOLI + ORDINE_ARTICOLI);
    edtSelArt_Descr->setFocus();
}

// The articles whose code and description contain the typed texts. A box left empty adds
// no condition, so an article without a code is still found by its description.
void TfrmSelArt::SelArt_Criteri_Change() {
    QStringList condizioni;
    if (!edtSelArt_Cod->text().isEmpty())
        condizioni << QStringLiteral("A.codint LIKE '%") + utTestoSql(edtSelArt_Cod->text()) +
                          QStringLiteral("%'");
    if (!edtSelArt_Descr->text().isEmpty())
        condizioni << QStringLiteral("A.descr LIKE '%") + utTestoSql(edtSelArt_Descr->text()) +
                          QStringLiteral("%'");
    QString sql = SELECT_ARTICOLI;
    if (!condizioni.isEmpty())
        sql += QStringLiteral(" WHERE ") + condizioni.join(QStringLiteral(" AND "));
    apriElenco(sql + ORDINE_ARTICOLI);
}

void TfrmSelArt::apriElenco(const QString& sql) {
    DataSet& q = m_dati.qrySelArt;
    EseguiOperazione(m_messaggi, QStringLiteral("leggere gli articoli"), [&] { Recset(sql, q); });
}

bool TfrmSelArt::eventFilter(QObject* oggetto, QEvent* evento) {
    if (oggetto == edtSelArt_Descr || oggetto == edtSelArt_Cod || oggetto == edtSelArt_Qta) {
        if (evento->type() == QEvent::KeyPress)
            return SelArt_KeyDown(static_cast<QKeyEvent*>(evento));
        if (evento->type() == QEvent::KeyRelease)
            return SelArt_KeyUp(static_cast<QKeyEvent*>(evento));
    }
    return QDialog::eventFilter(oggetto, evento);
}

// Up and Down move through the list without leaving the box; Enter waits for its release.
bool TfrmSelArt::SelArt_KeyDown(QKeyEvent* tasto) {
    switch (tasto->key()) {
    case Qt::Key_Up:
        m_dati.qrySelArt.precedente();
        return true;
    case Qt::Key_Down:
        m_dati.qrySelArt.successivo();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_invioPremuto = true;
        return true;
    default:
        return false;
    }
}

bool TfrmSelArt::SelArt_KeyUp(QKeyEvent* tasto) {
    if (!eInvio(tasto) || tasto->isAutoRepeat())
        return false;
    if (m_invioPremuto) {
        m_invioPremuto = false;
        accept();
    }
    return true;
}

void TfrmSelArt::passoQuantita(int passo) {
    const double quantita = quantitaDaTesto(edtSelArt_Qta->text());
    edtSelArt_Qta->setText(
        utTestoNumero(std::clamp(quantita + passo, QUANTITA_MINIMA, QUANTITA_MASSIMA)));
}

void TfrmSelArt::mostraUm() {
    const DataSet& q = m_dati.qrySelArt;
    DBText1->setText(q.riga() < 0 ? QString() : q.testo(QStringLiteral("um")));
}

void TfrmSelArt::done(int risultato) {
    if (risultato == QDialog::Accepted && !FormCloseQuery())
        return;
    QDialog::done(risultato);
}

// A quantity other than 0 (negative ones included) and an article under the cursor.
bool TfrmSelArt::FormCloseQuery() {
    const double quantita = quantitaDaTesto(edtSelArt_Qta->text());
    if (quantita == 0) {
        m_messaggi.informazione(QStringLiteral("Inserire una quantità corretta"));
        edtSelArt_Qta->setFocus();
        return false;
    }
    const DataSet& q = m_dati.qrySelArt;
    if (q.riga() < 0) {
        m_messaggi.informazione(
            QStringLiteral("Nessun articolo selezionato: cambiare la ricerca o premere Annulla."));
        edtSelArt_Descr->setFocus();
        return false;
    }
    m_articolo = q.valore(QStringLiteral("ID")).toInt();
    m_quantita = quantita;
    return true;
}
