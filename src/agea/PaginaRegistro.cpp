#include "PaginaRegistro.h"

#include "AbilitaControlli.h"
#include "Datamodule.h"
#include "Griglia.h"
#include "Messaggi.h"
#include "ReportHost.h"
#include "StampaReport.h"
#include "StatoMain.h"
#include "TfrmRegagea.h"
#include "Utilitylibrary.h"
#include "Viste.h"
#include "Visualizzazione.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QString PRONTA = QStringLiteral("Premere OK quando la stampante è pronta.");
const QString PARAMETRO_ARTICOLO = QStringLiteral("Regagea_Articolo_ID");
const QStringList INTESTAZIONI = {QStringLiteral("DATA"),        QStringLiteral("N.DOC."),
                                  QStringLiteral("Unità mis."),  QStringLiteral("CARICO"),
                                  QStringLiteral("SCARICO"),     QStringLiteral("GIAC.ZA"),
                                  QStringLiteral("DESTINATARIO")};
constexpr int ALTEZZA_RIGA = 18;

// Every cell of the register grid: its rectangle filled, its text centred, the quantities
// (load, unload, stock) right-aligned as on the printed register, and shortened with an
// ellipsis when it does not fit. A selected row is white on the blue of the article lists.
class DelegatoRegistro : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& opzione,
               const QModelIndex& indice) const override {
        QStyleOptionViewItem o(opzione);
        initStyleOption(&o, indice);
        const bool selezionata = o.state & QStyle::State_Selected;
        const QRect testo = o.rect.adjusted(2, 0, -2, 0);
        painter->save();
        painter->fillRect(o.rect,
                          selezionata ? QColor(0, 0, 231) : o.palette.color(QPalette::Base));
        painter->setFont(o.font);
        painter->setPen(selezionata ? QColor(Qt::white) : o.palette.color(QPalette::Text));
        const bool quantita = indice.column() >= 3 && indice.column() <= 5;
        painter->drawText(testo, (quantita ? Qt::AlignRight : Qt::AlignHCenter) | Qt::AlignVCenter,
                          o.fontMetrics.elidedText(o.text, Qt::ElideRight, testo.width()));
        painter->restore();
    }
};

} // namespace

PaginaRegistro::PaginaRegistro(Messaggi& messaggi, StatoMain& stato, QWidget* parent)
    : PaginaScheda(parent), m_messaggi(messaggi), m_stato(stato) {
    setObjectName(QStringLiteral("tsRapporti"));
    costruisci();
}

void PaginaRegistro::costruisci() {
    auto* pagina = new QVBoxLayout(this);
    pagina->setContentsMargins(0, 0, 0, 0);
    // Everything the tab holds: disabled as a whole when there is no movement to show.
    pnlRegistro = new QWidget(this);
    pnlRegistro->setObjectName(QStringLiteral("pnlRegistro"));
    pagina->addWidget(pnlRegistro);
    auto* principale = new QVBoxLayout(pnlRegistro);
    principale->setContentsMargins(8, 8, 8, 8);

    // Heading: the title and the three buttons.
    auto* alto = new QWidget(pnlRegistro);
    alto->setObjectName(QStringLiteral("pnlRegTop"));
    auto* rigaAlta = new QHBoxLayout(alto);
    rigaAlta->setContentsMargins(0, 0, 0, 0);
    auto* titolo = new QLabel(QStringLiteral("Registro"), alto);
    titolo->setStyleSheet(QStringLiteral("font-weight: bold; font-size: 15px;"));
    rigaAlta->addWidget(titolo);
    rigaAlta->addStretch();
    const auto pulsante = [alto, rigaAlta](const QString& nome, const QString& testo) {
        auto* b = new QPushButton(testo, alto);
        b->setObjectName(nome);
        b->setMinimumWidth(96);
        rigaAlta->addWidget(b);
        return b;
    };
    btnApriRegagea = pulsante(QStringLiteral("btnApriRegagea"), QStringLiteral("Apri registro"));
    btnRegStampaTutti =
        pulsante(QStringLiteral("btnRegStampaTutti"), QStringLiteral("Stampa Reg.AGEA"));
    btnRegStampa =
        pulsante(QStringLiteral("btnRegStampa"), QStringLiteral("Stampa singolo articolo"));
    principale->addWidget(alto);

    auto* didascalia = new QLabel(QStringLiteral("Registro AGEA"), pnlRegistro);
    didascalia->setStyleSheet(QStringLiteral("font-weight: bold;"));
    principale->addWidget(didascalia);
    auto* rigaMese = new QHBoxLayout;
    auto* etichettaMese = new QLabel(QStringLiteral("Mese"), pnlRegistro);
    cbxRegMese = new QComboBox(pnlRegistro);
    cbxRegMese->setObjectName(QStringLiteral("cbxRegMese"));
    cbxRegMese->setMaxVisibleItems(24);
    cbxRegMese->setMinimumWidth(160);
    etichettaMese->setBuddy(cbxRegMese);
    rigaMese->addWidget(etichettaMese);
    rigaMese->addWidget(cbxRegMese);
    rigaMese->addStretch();
    principale->addLayout(rigaMese);

    auto* centro = new QHBoxLayout;
    principale->addLayout(centro, 1);
    grArtAgea = new Griglia(QStringLiteral("grArtAgea"), pnlRegistro);
    grArtAgea->setFixedWidth(250);
    grArtAgea->setItemDelegate(new DelegatoAgea(grArtAgea));
    centro->addWidget(grArtAgea);

    // The register grid, and over it the notice of a month without movements.
    auto* area = new QGridLayout;
    grVideoAgea = new QTableWidget(2, INTESTAZIONI.size(), pnlRegistro);
    grVideoAgea->setObjectName(QStringLiteral("grVideoAgea"));
    grVideoAgea->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grVideoAgea->setSelectionBehavior(QAbstractItemView::SelectRows);
    grVideoAgea->setSelectionMode(QAbstractItemView::SingleSelection);
    grVideoAgea->setWordWrap(false);
    grVideoAgea->setItemDelegate(new DelegatoRegistro(grVideoAgea));
    grVideoAgea->verticalHeader()->hide();
    grVideoAgea->verticalHeader()->setMinimumSectionSize(ALTEZZA_RIGA);
    grVideoAgea->verticalHeader()->setDefaultSectionSize(ALTEZZA_RIGA);
    grVideoAgea->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // The grid's columns hold a date whole.
    grVideoAgea->horizontalHeader()->setDefaultSectionSize(
        grVideoAgea->fontMetrics().horizontalAdvance(QStringLiteral("00/00/0000")) + 6);
    // As the program's other lists, the grid fits its panel without a sideways scroll bar:
    // the recipient, the last column, takes what the others leave (140 to 160 pixels in the
    // window's starting size, more in a wider window).
    grVideoAgea->horizontalHeader()->setStretchLastSection(true);
    grVideoAgea->horizontalHeader()->setHighlightSections(false);
    grVideoAgea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Row 0 holds the headings, so that the register's rows count from 1. The column
    // headers show them instead, in view while the rows scroll: the row itself is hidden.
    for (int c = 0; c < INTESTAZIONI.size(); ++c) {
        auto* cella = new QTableWidgetItem(INTESTAZIONI.at(c));
        cella->setFlags(Qt::ItemIsEnabled);
        grVideoAgea->setItem(0, c, cella);
    }
    grVideoAgea->setHorizontalHeaderLabels(INTESTAZIONI);
    grVideoAgea->setRowHidden(0, true);
    area->addWidget(grVideoAgea, 0, 0);
    pnlNessunMovimento =
        new QLabel(QStringLiteral("Nessun movimento per questo articolo per il mese selezionato"),
                   pnlRegistro);
    pnlNessunMovimento->setObjectName(QStringLiteral("pnlNessunMovimento"));
    pnlNessunMovimento->setFrameShape(QFrame::Panel);
    pnlNessunMovimento->setFrameShadow(QFrame::Raised);
    pnlNessunMovimento->setAutoFillBackground(true);
    pnlNessunMovimento->setAlignment(Qt::AlignCenter);
    pnlNessunMovimento->setMargin(12);
    pnlNessunMovimento->setStyleSheet(QStringLiteral("font-weight: bold;"));
    pnlNessunMovimento->hide();
    area->addWidget(pnlNessunMovimento, 0, 0, Qt::AlignCenter);
    centro->addLayout(area, 1);

    connect(cbxRegMese, &QComboBox::currentIndexChanged, this, [this] {
        if (m_attiva && !m_mostrando)
            RefreshRegagea();
    });
    connect(btnApriRegagea, &QPushButton::clicked, this, &PaginaRegistro::btnApriRegageaClick);
    connect(btnRegStampa, &QPushButton::clicked, this, &PaginaRegistro::btnRegStampaClick);
    connect(btnRegStampaTutti, &QPushButton::clicked, this,
            &PaginaRegistro::btnRegStampaTuttiClick);
}

void PaginaRegistro::collegaDati(TdmDati& dati, const Percorsi& percorsi, TfrmRegagea& regagea) {
    m_dati = &dati;
    m_percorsi = percorsi;
    m_regagea = &regagea;
    m_regagea->impostaSceltaMese(cbxRegMese);
    grArtAgea->collega(dati.tblArtAgea,
                       {{QStringLiteral("descr"), QStringLiteral("Descrizione"), 223}});
    // The list is re-read when the tab is shown; any other move is the user's choice.
    connect(&dati.tblArtAgea, &DataSet::correnteCambiato, this, [this] {
        if (m_attiva && !m_mostrando)
            ArticoloChange();
    });
}

void PaginaRegistro::Mostra() {
    const QString routine = QStringLiteral("TfrmMain::tsRapportiShow");
    utLogEnter(routine);
    m_attiva = true;
    bool movimenti = false;
    {
        const QScopedValueRollback mostrando(m_mostrando, true);
        m_dati->Rinfresca(QStringLiteral("ArtAgea"));
        QDate primo, ultimo;
        movimenti = IntervalloMovimenti(primo, ultimo);
        AbilitaControlli(pnlRegistro, movimenti, m_stato.ColoreDisabilitato);
        if (movimenti) {
            RiempiMesi(cbxRegMese, primo, ultimo);
            Posiziona(m_dati->tblArtAgea, QStringLiteral("ID"),
                      QString::number(m_stato.idCorrenteRapporti));
            cbxRegMese->setCurrentIndex(0);
            const int mese = cbxRegMese->findText(m_stato.meseCorrente,
                                                  Qt::MatchExactly | Qt::MatchCaseSensitive);
            if (mese >= 0)
                cbxRegMese->setCurrentIndex(mese);
        } else {
            // No month to show: nor a register of one left from an earlier show.
            cbxRegMese->clear();
            svuotaGriglia();
            pnlNessunMovimento->hide();
        }
    }
    if (movimenti)
        RefreshRegagea();
    btnRegStampa->setEnabled(movimenti);
    utLogExit(routine);
}

void PaginaRegistro::Nascondi() {
    m_attiva = false;
    m_stato.idCorrenteRapporti = articoloSelezionato();
    m_stato.meseCorrente = cbxRegMese->currentText();
}

int PaginaRegistro::articoloSelezionato() const {
    return IdCorrente(m_dati->tblArtAgea);
}

void PaginaRegistro::svuotaGriglia() {
    grVideoAgea->clearSelection();
    grVideoAgea->setRowCount(1);
}

void PaginaRegistro::scriviRiga(int riga, const QStringList& celle) {
    for (int c = 0; c < celle.size(); ++c)
        grVideoAgea->setItem(riga, c, new QTableWidgetItem(celle.at(c)));
}

void PaginaRegistro::RefreshRegagea() {
    const QString routine = QStringLiteral("TfrmMain::RefreshRegagea");
    utLogEnter(routine);
    if (cbxRegMese->currentText().isEmpty()) {
        utLogExit(routine);
        return;
    }
    const QDate mese = utDataDaMeseAnno(cbxRegMese->currentText());
    DataSet& q = m_dati->qryPivotUnArt;
    q.chiudi();
    ImpostaParametriMese(mese);
    utLog(routine, QStringLiteral("RefreshRegagea # 1"));

    const int id = articoloSelezionato();
    const QString articolo = QString::number(id);
    utLog(routine, QStringLiteral("RefreshRegagea # 2"));
    if (id == 0) {
        // No AGEA article at all: there is no column of the register to read.
        svuotaGriglia();
        pnlNessunMovimento->show();
        utLogExit(routine);
        return;
    }
    // An article stored without a unit shows none.
    const int um = DbValore(QStringLiteral("articoli"), QStringLiteral("um_id"),
                            QStringLiteral("ID=") + articolo)
                       .toInt();
    utLog(routine, QStringLiteral("RefreshRegagea # 2.1"));
    const QString descrUm = DbValore(QStringLiteral("lstUm"), QStringLiteral("descr"),
                                     QStringLiteral("ID=") + QString::number(um));
    utLog(routine, QStringLiteral("RefreshRegagea # 3"));
    const double giacenzaIniziale =
        NumeroRegistro(DbValore(QStringLiteral("qry_pivot_giac_alla_data"),
                                QStringLiteral("giacza"), QStringLiteral("ID=") + articolo));
    utLog(routine, QStringLiteral("RefreshRegagea # 4"));
    // The view has one column per AGEA article: it follows the articles before it is read.
    RicreaQryPivot();
    q.setSql(QStringLiteral(" SELECT tipo, data, numero, dest, destinatario, [A") + articolo +
             QStringLiteral("] AS qta FROM qry_pivot"));
    q.apri();
    utLog(routine, QStringLiteral("RefreshRegagea # 5"));

    grVideoAgea->clearSelection();
    grVideoAgea->setRowCount(1);
    grVideoAgea->setRowCount(2);
    utLog(routine, QStringLiteral("RefreshRegagea # 6"));
    scriviRiga(1, {QStringLiteral("RIPORTO"), QStringLiteral("---"), descrUm, QString(), QString(),
                   utTestoNumero(giacenzaIniziale), QStringLiteral("/")});
    utLog(routine, QStringLiteral("RefreshRegagea # 7"));

    // The running stock, in the order the view gives the documents, without rounding.
    double giacenza = giacenzaIniziale;
    int riga = 1;
    const auto testo = [&q](int r, const char* campo) {
        return TestoValore(q.valore(r, QLatin1String(campo)));
    };
    for (int r = 0; r < q.conteggio(); ++r) {
        utLog(routine, QStringLiteral("* RefreshRegagea # 8"));
        const QString qta = testo(r, "qta");
        if (!qta.isEmpty()) {
            utLog(routine, QStringLiteral("* RefreshRegagea # 9"));
            ++riga;
            if (riga >= grVideoAgea->rowCount())
                grVideoAgea->setRowCount(riga + 1);
            QString numero = testo(r, "numero");
            if (numero == QLatin1String("0"))
                numero = QStringLiteral("---");
            const bool scarico = testo(r, "tipo") == QLatin1String("S");
            const bool carico = testo(r, "tipo") == QLatin1String("C");
            const double quantita = NumeroRegistro(qta);
            giacenza = scarico ? giacenza - quantita : giacenza + quantita;
            const QString destinatario =
                DestinatarioRegistro(testo(r, "destinatario"), testo(r, "dest"));
            scriviRiga(riga, {testo(r, "data"), numero, QString(), carico ? qta : QString(),
                              scarico ? qta : QString(), utTestoNumero(giacenza), destinatario});
        }
        utLog(routine, QStringLiteral("RefreshRegagea # 10"));
    }
    pnlNessunMovimento->setVisible(riga == 1);
    utLog(routine, QStringLiteral("RefreshRegagea # 11"));
    q.chiudi();
    utLogExit(routine);
}

void PaginaRegistro::ArticoloChange() {
    const QString routine = QStringLiteral("TfrmMain::ArticoloChange");
    utLogEnter(routine);
    RefreshRegagea();
    utLogExit(routine);
}

void PaginaRegistro::btnApriRegageaClick() {
    m_messaggi.esegui(*m_regagea);
    // The window writes the months it shows into parametri: the prints of this tab read
    // the month of cbxRegMese again.
    RefreshRegagea();
}

void PaginaRegistro::btnRegStampaClick() {
    // The report prints the article named in parametri: the one selected here.
    const int id = articoloSelezionato();
    if (id == 0)
        return;
    EseguiOperazione(m_messaggi, QStringLiteral("stampare il registro AGEA"), [&] {
        StampaConReportHost(m_messaggi, ReportHost(m_percorsi),
                            QStringLiteral("mac_StampaRegistroAgeaNoCopertina"), PARAMETRO_ARTICOLO,
                            QString::number(id));
    });
}

void PaginaRegistro::btnRegStampaTuttiClick() {
    EseguiOperazione(m_messaggi, QStringLiteral("stampare il registro AGEA"), [&] {
        const int n = DbValore(QStringLiteral("articoli"), QStringLiteral("COUNT(*)"),
                               QStringLiteral("agea=True"))
                          .toInt();
        if (n == 0 || !m_messaggi.domandaOkAnnulla(PRONTA))
            return;
        const int id = articoloSelezionato();
        // "0" names every AGEA article; the selected one is named again afterwards, also
        // when the print fails.
        ReportHost::ImpostaParametro(PARAMETRO_ARTICOLO, QStringLiteral("0"));
        QString motivo;
        const bool stampato =
            ReportHost(m_percorsi).EseguiMacro(QStringLiteral("mac_StampaRegistroAgea"), &motivo);
        ReportHost::ImpostaParametro(PARAMETRO_ARTICOLO, QString::number(id));
        RefreshRegagea();
        if (!stampato)
            m_messaggi.errore(QStringLiteral("Stampa non riuscita: ") + motivo);
    });
}
