#include "PaginaScarichi.h"

#include "Allegati9.h"
#include "CollegamentoCampi.h"
#include "Datamodule.h"
#include "Duplicati.h"
#include "Messaggi.h"
#include "ReportHost.h"
#include "StampaReport.h"
#include "StatoMain.h"
#include "TfrmQuickSca.h"
#include "TfrmSelCausale.h"
#include "TfrmSelNom.h"
#include "TfrmStampa.h"
#include "Transazione.h"
#include "Utilitylibrary.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>

namespace {
const QString ROUTINE_NUOVO = QStringLiteral("TfrmMain::btnScaNuovoClick");
const QString ROUTINE_VELOCE = QStringLiteral("TfrmMain::btnQuickScaClick");
const QString MACRO_SCHEDA = QStringLiteral("mac_StampaSchedaScarico");
const QString PARAMETRO_SCHEDA = QStringLiteral("Stampa_Scarico_ID");

PaginaMovimenti::Definizione definizione() {
    return {.nomeScheda = QStringLiteral("tsScarichi"),
            .sigla = QStringLiteral("Sca"),
            .siglaRighe = QStringLiteral("Scar"),
            .nomeMast = QStringLiteral("grScarichiMast"),
            .nomeDett = QStringLiteral("grScarichiDett"),
            .titoloScheda = QStringLiteral("Dettagli scarico"),
            .tabella = QStringLiteral("scarichi_mast"),
            .tabellaRighe = QStringLiteral("scarichi_dett"),
            .gruppo = QStringLiteral("Scarichi"),
            .documento = QStringLiteral("scarico"),
            .macroStampa = MACRO_SCHEDA,
            .parametroStampa = PARAMETRO_SCHEDA,
            .mast = &TdmDati::tblScarichi_mast,
            .dett = &TdmDati::tblScarichi_dett,
            .idCorrente = &StatoMain::idCorrenteScarichi};
}

// Reasons 2 and 3 serve nobody: their number of recipients is always 0.
bool senzaDestinatari(int causale) {
    return causale == 2 || causale == 3;
}

// The "N.Dest." cell of a distribution that Conferma would refuse (no recipients for a
// reason that needs them) is drawn yellow on red.
class DelegatoDestinatari : public QStyledItemDelegate {
public:
    DelegatoDestinatari(const DataSet& ds, QObject* parent)
        : QStyledItemDelegate(parent), m_ds(ds) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& opzione,
               const QModelIndex& indice) const override {
        const int riga = indice.row();
        if (riga < 0 || riga >= m_ds.conteggio()) {
            QStyledItemDelegate::paint(painter, opzione, indice);
            return;
        }
        const QVariant destinatari = m_ds.valore(riga, QStringLiteral("nrBeneficiati"));
        const int causale = m_ds.valore(riga, QStringLiteral("causali_id")).toInt();
        if ((!destinatari.isNull() && destinatari.toInt() != 0) || senzaDestinatari(causale)) {
            QStyledItemDelegate::paint(painter, opzione, indice);
            return;
        }
        painter->save();
        painter->fillRect(opzione.rect, Qt::red);
        painter->setPen(Qt::yellow);
        painter->drawText(opzione.rect.adjusted(3, 0, -3, 0),
                          Qt::AlignVCenter |
                              int(opzione.displayAlignment & Qt::AlignHorizontal_Mask),
                          indice.data().toString());
        painter->restore();
    }

private:
    const DataSet& m_ds;
};
} // namespace

PaginaScarichi::PaginaScarichi(Messaggi& messaggi, StatoMain& stato, QWidget* parent)
    : PaginaMovimenti(definizione(), messaggi, stato, parent) {
    QWidget* corpo = corpoScheda();
    auto* g = new QGridLayout(corpo);
    g->setContentsMargins(0, 0, 0, 0);
    txtScaCognome = casella(QStringLiteral("txtScaCognome"), corpo);
    txtScaNome = casella(QStringLiteral("txtScaNome"), corpo);
    txtScaCognome->setReadOnly(true);
    txtScaNome->setReadOnly(true);
    btnScaNom = new QPushButton(QStringLiteral("..."), corpo);
    btnScaNom->setObjectName(QStringLiteral("btnScaNom"));
    btnScaNom->setFixedWidth(32);
    edtScaNrDocumento = casella(QStringLiteral("edtScaNrDocumento"), corpo);
    edtScaData = casella(QStringLiteral("edtScaData"), corpo);
    luCausale = new QComboBox(corpo);
    luCausale->setObjectName(QStringLiteral("luCausale"));
    edtScaNrBeneficiati = casella(QStringLiteral("edtScaNrBeneficiati"), corpo);
    edtScaNrBeneficiati->setMaximumWidth(80);

    g->addWidget(new QLabel(QStringLiteral("Nominativo beneficiario"), corpo), 0, 0, 1, 4);
    g->addWidget(txtScaCognome, 1, 0, 1, 2);
    g->addWidget(txtScaNome, 1, 2);
    g->addWidget(btnScaNom, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("Documento num.  "), corpo), 2, 0);
    g->addWidget(edtScaNrDocumento, 2, 1);
    g->addWidget(new QLabel(QStringLiteral("del  "), corpo), 2, 2, Qt::AlignRight);
    g->addWidget(edtScaData, 2, 3);
    g->addWidget(new QLabel(QStringLiteral("Causale"), corpo), 3, 0);
    g->addWidget(luCausale, 3, 1, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("Numero destinatari"), corpo), 4, 0);
    g->addWidget(edtScaNrBeneficiati, 4, 1);

    // "Veloce (F12)" after "Stampa" on the top panel.
    QHBoxLayout* alto = pulsantiAlto();
    btnQuickSca = PulsanteScheda(alto->parentWidget(), QStringLiteral("btnQuickSca"),
                                 QStringLiteral("Veloce (F12)"));
    alto->insertWidget(alto->count() - 1, btnQuickSca);

    connect(btnScaNom, &QPushButton::clicked, this, &PaginaScarichi::btnScaNomClick);
    connect(btnQuickSca, &QPushButton::clicked, this, &PaginaScarichi::btnQuickScaClick);
}

QList<ColonnaGriglia> PaginaScarichi::colonneElenco() const {
    return {{QStringLiteral("nrDocumento"), QStringLiteral("Num.doc."), 0, QStringLiteral("00000")},
            {QStringLiteral("data"), QStringLiteral("Data"), 0, QStringLiteral("00/00/0000")},
            {QStringLiteral("luCognome"), QStringLiteral("Cognome"), 0, QStringLiteral("Esposito")},
            {QStringLiteral("luCausale"), QStringLiteral("Causale"), 0,
             QStringLiteral("Consegna a indigenti")},
            {QStringLiteral("nrBeneficiati"), QStringLiteral("N.Dest."), 0}};
}

QList<ColonnaGriglia> PaginaScarichi::colonneRighe() const {
    return PaginaMovimenti::colonneRighe()
           << ColonnaGriglia{QStringLiteral("articoli_id"), QStringLiteral("#"), 40};
}

void PaginaScarichi::collegaScheda(CollegamentoCampi& collegamento, TdmDati& dati) {
    collegamento.mostra(txtScaCognome, QStringLiteral("luCognome"));
    collegamento.mostra(txtScaNome, QStringLiteral("luNome"));
    collegamento.numero(edtScaNrDocumento, QStringLiteral("nrDocumento"), true);
    collegamento.mostra(edtScaData, QStringLiteral("data"));
    collegamento.elenco(luCausale, QStringLiteral("causali_id"), dati.tblLstCausali,
                        QStringLiteral("descr"));
    collegamento.numero(edtScaNrBeneficiati, QStringLiteral("nrBeneficiati"), true);
    // The binding writes the reason chosen (it connected first), then its rules run on it.
    connect(luCausale, &QComboBox::activated, this, &PaginaScarichi::dsScarichi_mastDataChange);
    Griglia* elenco = grigliaMast();
    elenco->setItemDelegateForColumn(elenco->colonnaModello(4),
                                     new DelegatoDestinatari(dati.tblScarichi_mast, elenco));
}

QWidget* PaginaScarichi::primoCampo() const {
    return edtScaNrDocumento;
}

int PaginaScarichi::numeroFamiliari(int id) {
    return DbValore(QStringLiteral("nominativi"), QStringLiteral("numFamiliari"),
                    QStringLiteral("ID=%1").arg(id))
        .toInt();
}

void PaginaScarichi::abilitaPerCausale(int causale) {
    btnScaNom->setEnabled(causale == 1 && !tabellaVuota(QStringLiteral("nominativi")));
    edtScaNrBeneficiati->setEnabled(!senzaDestinatari(causale));
}

void PaginaScarichi::inizioModifica() {
    EseguiOperazione(messaggi(), QStringLiteral("leggere i nominativi"), [this] {
        abilitaPerCausale(mast().valore(QStringLiteral("causali_id")).toInt());
    });
}

void PaginaScarichi::btnNuovoClick() {
    utLogEnter(ROUTINE_NUOVO);
    int numero = 0;
    bool nessunArticolo = false;
    bool nessunNominativo = false;
    const QDate oggi = QDate::currentDate();
    if (!EseguiOperazione(messaggi(), QStringLiteral("preparare il nuovo scarico"), [&] {
            numero = ProssimoNrScarico();
            nessunArticolo = tabellaVuota(QStringLiteral("articoli"));
            nessunNominativo = tabellaVuota(QStringLiteral("nominativi"));
        })) {
        utLogExit(ROUTINE_NUOVO);
        return;
    }
    if (nessunArticolo) {
        messaggi().informazione(QStringLiteral("Non ci sono articoli"));
        utLogExit(ROUTINE_NUOVO);
        return;
    }
    TfrmSelCausale& selCausale = *dialoghi().selCausale;
    if (messaggi().esegui(selCausale) == QDialog::Rejected) {
        utLogExit(ROUTINE_NUOVO);
        return;
    }
    const int causale = selCausale.causaleScelta;
    int nominativo = 0;
    int destinatari = 0;
    if (causale == 1 && !nessunNominativo) {
        TfrmSelNom& selNom = *dialoghi().selNom;
        if (messaggi().esegui(selNom) == QDialog::Rejected) {
            utLogExit(ROUTINE_NUOVO);
            return;
        }
        nominativo = selNom.nominativoScelto;
        if (!EseguiOperazione(messaggi(), QStringLiteral("leggere il nominativo"),
                              [&] { destinatari = numeroFamiliari(nominativo); })) {
            utLogExit(ROUTINE_NUOVO);
            return;
        }
    }
    utLog(ROUTINE_NUOVO, QStringLiteral("About to Append: CanModify=true"));
    const int id = registraNuovo([&](DataSet& d) {
        utLog(ROUTINE_NUOVO, QStringLiteral("Appended"));
        d.imposta(QStringLiteral("nrBeneficiati"), destinatari);
        d.imposta(QStringLiteral("data"), oggi);
        d.imposta(QStringLiteral("nrDocumento"), numero);
        d.imposta(QStringLiteral("nominativi_id"), nominativo);
        d.imposta(QStringLiteral("causali_id"), causale);
        utLog(ROUTINE_NUOVO, QStringLiteral("About to Post: State=%1").arg(int(d.stato())));
    });
    if (id != 0) {
        utLog(ROUTINE_NUOVO, QStringLiteral("Posted: newId=%1").arg(id));
        apriNuovo(id);
    }
    utLogExit(ROUTINE_NUOVO);
}

void PaginaScarichi::dsScarichi_mastDataChange() {
    DataSet& d = mast();
    const int causale = d.valore(QStringLiteral("causali_id")).toInt();
    EseguiOperazione(messaggi(), QStringLiteral("registrare la causale"), [&] {
        if (d.stato() == DataSet::Stato::Consultazione)
            d.modifica();
        if (causale != 1)
            d.imposta(QStringLiteral("nominativi_id"), 0);
        if (senzaDestinatari(causale))
            d.imposta(QStringLiteral("nrBeneficiati"), 0);
        d.registra();
        abilitaPerCausale(causale);
    });
}

void PaginaScarichi::btnScaNomClick() {
    TfrmSelNom& selNom = *dialoghi().selNom;
    if (messaggi().esegui(selNom) == QDialog::Rejected)
        return;
    DataSet& d = mast();
    const int id = idDocumento();
    EseguiOperazione(messaggi(), QStringLiteral("registrare il nominativo"), [&] {
        const int destinatari = numeroFamiliari(selNom.nominativoScelto);
        if (d.stato() == DataSet::Stato::Consultazione)
            d.modifica();
        d.imposta(QStringLiteral("nominativi_id"), selNom.nominativoScelto);
        d.imposta(QStringLiteral("nrBeneficiati"), destinatari);
        d.registra();
        // Read again, so that the looked-up names are the new beneficiary's.
        d.rinfresca();
        PosizionaId(d, id);
    });
}

bool PaginaScarichi::controllaConferma(QDate& data) {
    // An empty recipients box counts as 0; a text that is no whole number, or a negative
    // one, is refused rather than stored as something else.
    const QString testoDestinatari = edtScaNrBeneficiati->text().trimmed();
    bool destinatariOk = true;
    const int destinatari =
        testoDestinatari.isEmpty() ? 0 : utInteroDigitato(testoDestinatari, &destinatariOk);
    const int causale = mast().valore(QStringLiteral("causali_id")).toInt();
    bool numeroOk = false;
    utInteroDigitato(edtScaNrDocumento->text(), &numeroOk);
    if (!numeroOk) {
        messaggi().informazione(QStringLiteral("Il numero di documento non è corretto."));
        return false;
    }
    if (!leggiData(data))
        return false;
    if (!destinatariOk || destinatari < 0) {
        messaggi().informazione(QStringLiteral("Il numero di destinatari non è corretto."));
        edtScaNrBeneficiati->setFocus();
        return false;
    }
    if (destinatari == 0 && !senzaDestinatari(causale)) {
        messaggi().informazione(
            QStringLiteral("Il numero di destinatari non può essere 0 per la causale ") +
            luCausale->currentText());
        return false;
    }
    return true;
}

void PaginaScarichi::righeDefinitive(const QDate& data) {
    AggiungiAllegato9(data);
    CheckAll9(dati(), messaggi());
}

void PaginaScarichi::btnQuickScaClick() {
    // While a card is edited the button is disabled, and its key waits for Conferma too.
    if (stato().inModifica)
        return;
    utLogEnter(ROUTINE_VELOCE);
    QString manca;
    const bool letto =
        EseguiOperazione(messaggi(), QStringLiteral("preparare lo scarico veloce"), [&] {
            if (tabellaVuota(QStringLiteral("nominativi")))
                manca = QStringLiteral("Non ci sono nominativi");
            else if (tabellaVuota(QStringLiteral("cons_mast")))
                manca = QStringLiteral("Non ci sono modelli di consegna.");
        });
    TfrmQuickSca& quick = *dialoghi().quickSca;
    if (letto && !manca.isEmpty()) {
        messaggi().informazione(manca);
    } else if (letto && messaggi().esegui(quick) == QDialog::Accepted) {
        const int id = registraScaricoVeloce(quick.nominativoScelto, quick.modelloScelto);
        if (id != 0) {
            // The new distribution is on screen, with its lines, when its copies are asked.
            EseguiOperazione(messaggi(), QStringLiteral("leggere i documenti"),
                             [&] { ricostruisci(id); });
            stampaCopie(id);
        }
    }
    utLogExit(ROUTINE_VELOCE);
}

int PaginaScarichi::registraScaricoVeloce(int nominativo, int modello) {
    const QDate oggi = QDate::currentDate();
    DataSet& d = mast();
    int id = 0;
    const bool registrato =
        EseguiOperazione(messaggi(), QStringLiteral("registrare lo scarico veloce"), [&] {
            const int destinatari = numeroFamiliari(nominativo);
            const int numero = ProssimoNrScarico();
            // The header and its lines stand or fall together: a failed copy leaves no
            // empty distribution behind.
            Transazione transazione(QStringLiteral("scarico_veloce"));
            d.aggiungi();
            d.imposta(QStringLiteral("data"), oggi);
            d.imposta(QStringLiteral("nominativi_id"), nominativo);
            d.imposta(QStringLiteral("nrDocumento"), numero);
            d.imposta(QStringLiteral("causali_id"), 1);
            d.imposta(QStringLiteral("nrBeneficiati"), destinatari);
            d.registra();
            id = d.idRegistrato();
            Querifica(QStringLiteral(" INSERT INTO scarichi_dett (master_id, articoli_id, qta) ") +
                      QStringLiteral(" SELECT ") + QString::number(id) +
                      QStringLiteral(", articoli_id, qta ") + QStringLiteral(" FROM cons_dett ") +
                      QStringLiteral(" WHERE modelli_id=") + QString::number(modello));
            // No Conferma follows, and a template may repeat an article (a line added to it
            // outside its own Conferma): the new distribution is merged now.
            CheckArticoliDuplicatiUnaTabella(QStringLiteral("scarichi_dett"),
                                             QStringLiteral("master_id"), id);
            transazione.conferma();
        });
    if (!registrato) {
        // The database went back as it was; so does the list.
        if (d.stato() != DataSet::Stato::Consultazione)
            d.annulla();
        EseguiOperazione(messaggi(), QStringLiteral("leggere i documenti"), [&] { d.rinfresca(); });
        return 0;
    }
    // Today's declaration, numbered in date order as after a Conferma.
    EseguiOperazione(messaggi(), QStringLiteral("completare lo scarico veloce"),
                     [&] { righeDefinitive(oggi); });
    return id;
}

void PaginaScarichi::stampaCopie(int id) {
    const int copie = TfrmStampa::copie(messaggi().esegui(*dialoghi().stampa));
    if (copie == 0)
        return;
    EseguiOperazione(messaggi(), QStringLiteral("stampare il documento"), [&] {
        StampaCopieConReportHost(messaggi(), ReportHost(percorsi()), MACRO_SCHEDA, PARAMETRO_SCHEDA,
                                 QString::number(id), copie);
    });
}
