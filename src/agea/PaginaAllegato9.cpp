#include "PaginaAllegato9.h"

#include "CollegamentoCampi.h"
#include "Datamodule.h"
#include "Griglia.h"
#include "Messaggi.h"
#include "StampaForm.h"
#include "StatoMain.h"
#include "TfrmAll9.h"
#include "Utilitylibrary.h"
#include "Visualizzazione.h"

#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

const QString TITOLO_STAMPA = QStringLiteral("Allegato 9");
// Margins of the printed declaration, in printer device units.
constexpr int MARGINE_STAMPA = 300;

// The goods of the declaration: AGEA descriptions stand out, the unit is centred and the
// quantity right-aligned, as numbers are.
class DelegatoDettaglio : public DelegatoAgea {
public:
    DelegatoDettaglio(int colonnaUm, int colonnaQuanti, QObject* parent)
        : DelegatoAgea(parent), m_um(colonnaUm), m_quanti(colonnaQuanti) {}

protected:
    void initStyleOption(QStyleOptionViewItem* opzione, const QModelIndex& indice) const override {
        DelegatoAgea::initStyleOption(opzione, indice);
        if (indice.column() == m_um)
            opzione->displayAlignment = Qt::AlignCenter;
        else if (indice.column() == m_quanti)
            opzione->displayAlignment = Qt::AlignRight | Qt::AlignVCenter;
    }

private:
    int m_um;
    int m_quanti;
};

QLineEdit* campoLettura(QWidget* genitore, const QString& nome, int larghezza) {
    auto* box = new QLineEdit(genitore);
    box->setObjectName(nome);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    box->setMaximumWidth(larghezza);
    return box;
}

QString testoCampo(const DataSet& ds, const QString& campo) {
    return ds.riga() < 0 ? QString() : ds.testo(campo);
}

// The print's name, which the PDF file takes: "Allegato 9 n. 23-2025 del 01-12-2025" for the
// current declaration, so that it is found among the prints without opening them; the bare
// "Allegato 9" for the blank form of a month without declarations.
QString titoloStampa(const DataSet& allegati9) {
    if (allegati9.riga() < 0)
        return TITOLO_STAMPA;
    const QString numero = allegati9.testo(QStringLiteral("numero"));
    const QString anno = allegati9.testo(QStringLiteral("anno"));
    const QDate giorno =
        QDate::fromString(allegati9.testo(QStringLiteral("data")), QStringLiteral("dd/MM/yyyy"));
    QString titolo = TITOLO_STAMPA;
    if (!numero.isEmpty())
        titolo += QStringLiteral(" n. ") + numero + (anno.isEmpty() ? QString() : "-" + anno);
    if (giorno.isValid())
        titolo += QStringLiteral(" del ") + giorno.toString(QStringLiteral("dd-MM-yyyy"));
    return titolo;
}

} // namespace

PaginaAllegato9::PaginaAllegato9(Messaggi& messaggi, StatoMain& stato, QWidget* parent)
    : PaginaScheda(parent), m_messaggi(messaggi), m_stato(stato),
      m_modulo(std::make_unique<TfrmAll9>()) {
    setObjectName(QStringLiteral("tsAllegato9"));
    costruisci();
}

PaginaAllegato9::~PaginaAllegato9() = default;

void PaginaAllegato9::costruisci() {
    auto* principale = new QVBoxLayout(this);
    principale->setContentsMargins(8, 8, 8, 8);

    // Top bar: the print button.
    auto* alto = new QWidget(this);
    alto->setObjectName(QStringLiteral("pnlAll9Top"));
    auto* rigaAlta = new QHBoxLayout(alto);
    rigaAlta->setContentsMargins(0, 0, 0, 0);
    btnAll9Stampa = new QPushButton(QStringLiteral("Stampa"), alto);
    btnAll9Stampa->setObjectName(QStringLiteral("btnAll9Stampa"));
    btnAll9Stampa->setMinimumWidth(96);
    btnAll9Stampa->setEnabled(false);
    rigaAlta->addWidget(btnAll9Stampa);
    rigaAlta->addStretch();
    principale->addWidget(alto);

    auto* centro = new QHBoxLayout;
    principale->addLayout(centro, 1);

    // Left panel: the month, then its declarations.
    auto* sinistra = new QWidget(this);
    sinistra->setObjectName(QStringLiteral("pnlAll9Left"));
    sinistra->setFixedWidth(280);
    auto* colonnaSinistra = new QVBoxLayout(sinistra);
    colonnaSinistra->setContentsMargins(0, 0, 0, 0);
    auto* rigaMese = new QHBoxLayout;
    auto* etichettaMese = new QLabel(QStringLiteral("Mese"), sinistra);
    cbxAllMese = new QComboBox(sinistra);
    cbxAllMese->setObjectName(QStringLiteral("cbxAllMese"));
    cbxAllMese->setMaxVisibleItems(24);
    etichettaMese->setBuddy(cbxAllMese);
    rigaMese->addWidget(etichettaMese);
    rigaMese->addWidget(cbxAllMese, 1);
    colonnaSinistra->addLayout(rigaMese);
    grAllegati9 = new Griglia(QStringLiteral("grAllegati9"), sinistra);
    colonnaSinistra->addWidget(grAllegati9, 1);
    centro->addWidget(sinistra);

    // Right panel: the current declaration, read only.
    auto* destra = new QWidget(this);
    destra->setObjectName(QStringLiteral("pnlAll9Right"));
    auto* colonnaDestra = new QVBoxLayout(destra);
    colonnaDestra->setContentsMargins(8, 0, 0, 0);
    auto* titolo = new QLabel(
        QStringLiteral("Dichiarazione di consegna agli indigenti di prodotti alimentari gratuiti"),
        destra);
    auto* sottotitolo = new QLabel(QStringLiteral("\"Allegato 9\""), destra);
    for (QLabel* l : {titolo, sottotitolo}) {
        l->setAlignment(Qt::AlignCenter);
        l->setWordWrap(true);
        l->setStyleSheet(QStringLiteral("font-weight: bold; font-size: 15px;"));
        colonnaDestra->addWidget(l);
    }
    auto* campi = new QGridLayout;
    edtAll9Data = campoLettura(destra, QStringLiteral("edtAll9Data"), 110);
    edtAll9Numero = campoLettura(destra, QStringLiteral("edtAll9Numero"), 70);
    edtAll9Anno = campoLettura(destra, QStringLiteral("edtAll9Anno"), 70);
    edtAll9Dest = campoLettura(destra, QStringLiteral("edtAll9Dest"), 70);
    campi->addWidget(new QLabel(QStringLiteral("Data"), destra), 0, 0);
    campi->addWidget(edtAll9Data, 0, 1, 1, 3);
    campi->addWidget(new QLabel(QStringLiteral("Numero"), destra), 1, 0);
    campi->addWidget(edtAll9Numero, 1, 1);
    campi->addWidget(new QLabel(QStringLiteral("/"), destra), 1, 2);
    campi->addWidget(edtAll9Anno, 1, 3);
    campi->addWidget(new QLabel(QStringLiteral("N.indigenti"), destra), 2, 0);
    campi->addWidget(edtAll9Dest, 2, 1);
    campi->setColumnStretch(4, 1);
    colonnaDestra->addLayout(campi);
    grGiornalieroAll9Dett = new Griglia(QStringLiteral("grGiornalieroAll9Dett"), destra);
    colonnaDestra->addWidget(grGiornalieroAll9Dett, 1);
    centro->addWidget(destra, 1);

    connect(cbxAllMese, &QComboBox::activated, this, [this] { FiltroMeseAllegati9(); });
    connect(btnAll9Stampa, &QPushButton::clicked, this, &PaginaAllegato9::btnAll9StampaClick);
}

void PaginaAllegato9::collegaDati(TdmDati& dati, const Percorsi& percorsi) {
    m_dati = &dati;
    m_percorsi = percorsi;
    grAllegati9->collega(
        dati.tblAllegati9,
        {{QStringLiteral("data"), QStringLiteral("Data"), 0, QStringLiteral("00/00/0000")},
         {QStringLiteral("anno"), QStringLiteral("Anno"), 0, QStringLiteral("0000")},
         {QStringLiteral("numero"), QStringLiteral("Numero")}});
    grGiornalieroAll9Dett->collega(
        dati.tblAll9_dett,
        {{QStringLiteral("descr"), QStringLiteral("Prodotto"), 320},
         {QStringLiteral("um"), QStringLiteral("Unità di misura"), 0, QStringLiteral("confezioni")},
         {QStringLiteral("quanti"), QStringLiteral("Quantità")}});
    grGiornalieroAll9Dett->setItemDelegate(
        new DelegatoDettaglio(grGiornalieroAll9Dett->colonnaModello(1),
                              grGiornalieroAll9Dett->colonnaModello(2), grGiornalieroAll9Dett));

    auto* dichiarazione = new CollegamentoCampi(dati.tblAllegati9, this);
    dichiarazione->mostra(edtAll9Data, QStringLiteral("data"));
    dichiarazione->mostra(edtAll9Numero, QStringLiteral("numero"));
    dichiarazione->mostra(edtAll9Anno, QStringLiteral("anno"));
    auto* destinatari = new CollegamentoCampi(dati.tblAll9_dest, this);
    destinatari->mostra(edtAll9Dest, QStringLiteral("dest"));

    m_modulo->collega(dati.tblAllegati9, dati.tblAll9_dest, dati.tblAll9_dett);
}

void PaginaAllegato9::Mostra() {
    DataSet& ds = m_dati->tblAllegati9;
    // Every declaration is read again, without the month shown last time, so that the
    // remembered one is found wherever it lies and a deleted one is not.
    ds.setCondizione(QString());
    ds.rinfresca();
    QDate primo, ultimo;
    const bool ok = IntervalloDate(QStringLiteral("allegati9"), primo, ultimo);
    if (ok) {
        RiempiMesi(cbxAllMese, primo, ultimo);
        SelezionaMeseRecord(cbxAllMese, ds, m_stato.idCorrenteAllegati9, ultimo);
        FiltroMeseAllegati9();
        Posiziona(ds, QStringLiteral("ID"), QString::number(m_stato.idCorrenteAllegati9));
    }
    btnAll9Stampa->setEnabled(ok);
}

void PaginaAllegato9::Nascondi() {
    const DataSet& ds = m_dati->tblAllegati9;
    m_stato.idCorrenteAllegati9 = IdCorrente(ds);
}

void PaginaAllegato9::FiltroMeseAllegati9() {
    // With no month chosen there is no month to show.
    if (ImpostaFiltroMese(m_dati->tblAllegati9, cbxAllMese))
        m_dati->Rinfresca(QStringLiteral("Allegati9"));
}

void PaginaAllegato9::btnAll9StampaClick() {
    const QString routine = QStringLiteral("TfrmMain::btnAll9StampaClick");
    utLogEnter(routine);
    const DataSet& azienda = m_dati->tblDatiAzienda;
    m_modulo->lblRagsoc = testoCampo(azienda, QStringLiteral("ragsoc"));
    m_modulo->lblCitta = testoCampo(azienda, QStringLiteral("citta")) + QStringLiteral(" (") +
                         testoCampo(azienda, QStringLiteral("prov")) + QStringLiteral(")");
    m_modulo->lblVia = testoCampo(azienda, QStringLiteral("via"));

    if (!m_messaggi.domandaOkAnnulla(QStringLiteral("Premere OK quando la stampante è pronta."))) {
        utLogExit(routine);
        return;
    }
    // The form is never shown: it is drawn from the screen's corner at its own size.
    const QScreen* schermo = QGuiApplication::primaryScreen();
    const QSize area = schermo ? schermo->size() : QSize();
    utLog(routine, QStringLiteral("Occupazione finestra form All9: %1x%2 @ (0,0), Screen: %3x%4")
                       .arg(TfrmAll9::LARGHEZZA)
                       .arg(TfrmAll9::ALTEZZA)
                       .arg(area.width())
                       .arg(area.height()));
    utLog(routine, QStringLiteral("Stampa..."));
    // Every sheet of the declaration is one job, one PDF file with the PDF printer.
    const QString titolo = titoloStampa(m_dati->tblAllegati9);
    StampaDocumento(m_messaggi, routine, titolo, m_percorsi.PathApp, [&](QPrinter& p) {
        LavoroStampa lavoro(p, QPageLayout::Portrait, titolo);
        bool stampato = true;
        for (int foglio = 0; stampato && foglio < m_modulo->fogli(); ++foglio) {
            m_modulo->impostaFoglio(foglio);
            stampato = lavoro.paginaImmagine(*m_modulo, MARGINE_STAMPA, MARGINE_STAMPA);
        }
        m_modulo->impostaFoglio(0);
        return lavoro.fine() && stampato;
    });
    utLogExit(routine);
}
