#include "Datamodule.h"

#include "Utilitylibrary.h"
#include "Viste.h"

#include <QHash>

namespace {
// The first data sets of tuttiDataSet() are opened at start-up, in that order; the others
// are opened by the screens that read them.
constexpr qsizetype APERTI_ALL_AVVIO = 20;

// The lookup columns every line table shows for its article.
void lookupArticolo(DataSet& righe) {
    righe.aggiungiLookup(QStringLiteral("luArticoloDescr"), QStringLiteral("articoli_id"),
                         QStringLiteral("articoli"), QStringLiteral("descr"));
    righe.aggiungiLookup(QStringLiteral("luUm_id"), QStringLiteral("articoli_id"),
                         QStringLiteral("articoli"), QStringLiteral("um_id"));
    righe.aggiungiLookup(QStringLiteral("luUm"), QStringLiteral("luUm_id"), QStringLiteral("lstUm"),
                         QStringLiteral("descr"));
    righe.aggiungiLookup(QStringLiteral("agea"), QStringLiteral("articoli_id"),
                         QStringLiteral("articoli"), QStringLiteral("agea"));
}

// Gives the document list `ds` over `tabella` the month of its latest document, the month
// its tab shows first, so that it is opened on one month. An empty table keeps no
// condition. The condition has the form the tab's month filter writes.
void condizioneUltimoMese(DataSet& ds, const QString& tabella) {
    const QString massimo = DbValore(tabella, QStringLiteral("MAX(data)"), QString());
    QDate ultimo = utDataDaTesto(massimo);
    if (!ultimo.isValid())
        ultimo = utDataOraDaTesto(massimo).date();
    if (!ultimo.isValid())
        return;
    const auto [primo, fine] = utLimitiMese(ultimo);
    ds.setCondizione(QStringLiteral("data >= '") + utTestoData(primo) +
                     QStringLiteral("' AND data <= '") + utTestoData(fine) + QStringLiteral("'"));
}
} // namespace

TdmDati::TdmDati(const Percorsi& percorsi, Avvisi& avvisi, QObject* parent)
    : QObject(parent), m_percorsi(percorsi), m_avvisi(avvisi) {
    const QString routine = QStringLiteral("TdmDati::TdmDati");
    utLogEnter(routine);
    ApriConnessione(m_percorsi.FileDb);
    // A read-only file still takes the parameters of the register and of the prints.
    PreparaSolaLettura();
    utLog(routine, QStringLiteral("#1: Database connesso"));
    if (UpdateDb() < 0) {
        utLog(routine, QStringLiteral("#2: UpdateDb NON riuscito"));
        return;
    }
    utLog(routine, QStringLiteral("#3: UpdateDb riuscito"));
    definisciDataSet();
    apriDataSet();
    m_versioneDb = LeggiVersioneDb();
    m_pronto = true;
    utLogExit(routine);
}

TdmDati::~TdmDati() {
    // The data sets read through the connection: close them before the connection goes.
    for (DataSet* ds : tuttiDataSet())
        ds->chiudi();
    ChiudiConnessione();
}

QList<DataSet*> TdmDati::tuttiDataSet() {
    return {&tblArticoli,          &tblLstCatmerc,    &tblLstUm,          &tblLstCausali,
            &tblNominativi,        &tblFornitori,     &tblDatiAzienda,    &tblCarichi_mast,
            &tblCarichi_dett,      &qrySelArt,        &tblCons_mast,      &tblCons_dett,
            &tblScarichi_mast,     &tblScarichi_dett, &qrySottoScorta,    &tblParametri,
            &tblArtAgea,           &tblAll9_dett,     &tblAllegati9,      &tblAll9_dest,
            &tblRegUnArt,          &tblPivot_carichi, &tblPivot_scarichi, &qryRegagea,
            &tblPivotGiacAllaData, &qryPivot,         &qryPivotUnArt,     &qryGenerica};
}

const QStringList& TdmDati::tabelleEsportate() {
    static const QStringList tabelle = {
        QStringLiteral("articoli"),     QStringLiteral("fornitori"),
        QStringLiteral("nominativi"),   QStringLiteral("carichi_mast"),
        QStringLiteral("carichi_dett"), QStringLiteral("cons_mast"),
        QStringLiteral("cons_dett"),    QStringLiteral("scarichi_mast"),
        QStringLiteral("scarichi_dett")};
    return tabelle;
}

void TdmDati::definisciDataSet() {
    tblArticoli.setTabella(QStringLiteral("articoli"));
    tblArticoli.setOrdine(QStringLiteral("descr"));
    tblArticoli.aggiungiLookup(QStringLiteral("luCatmerc"), QStringLiteral("catmerc_id"),
                               QStringLiteral("lstCatmerc"), QStringLiteral("descr"));
    tblArticoli.aggiungiLookup(QStringLiteral("luUm"), QStringLiteral("um_id"),
                               QStringLiteral("lstUm"), QStringLiteral("descr"));
    const auto ricerca = [this](const DataSet& ds, int riga) {
        return AnagCerca_OnFilterRecord(ds, riga);
    };
    tblArticoli.setPredicato(ricerca);

    tblLstCatmerc.setTabella(QStringLiteral("lstCatmerc"));
    tblLstCatmerc.setOrdine(QStringLiteral("descr"));
    tblLstUm.setTabella(QStringLiteral("lstUm"));
    tblLstUm.setOrdine(QStringLiteral("descr"));
    tblLstCausali.setTabella(QStringLiteral("lstCausali"));
    tblLstCausali.setOrdine(QStringLiteral("ID"));

    tblNominativi.setTabella(QStringLiteral("nominativi"));
    tblNominativi.setOrdine(QStringLiteral("cognome, nome"));
    tblNominativi.setPredicato(ricerca);
    tblFornitori.setTabella(QStringLiteral("fornitori"));
    tblFornitori.setOrdine(QStringLiteral("ragsoc"));
    tblFornitori.setPredicato(ricerca);
    tblDatiAzienda.setTabella(QStringLiteral("datiAzienda"));

    tblCarichi_mast.setTabella(QStringLiteral("carichi_mast"));
    tblCarichi_mast.setOrdine(QStringLiteral("data, fornitore_id, nrDocumento"));
    tblCarichi_mast.aggiungiLookup(QStringLiteral("luFornitoreRagsoc"),
                                   QStringLiteral("fornitore_id"), QStringLiteral("fornitori"),
                                   QStringLiteral("ragsoc"));
    tblCarichi_dett.setTabella(QStringLiteral("carichi_dett"));
    tblCarichi_dett.setMaster(&tblCarichi_mast, QStringLiteral("master_id"), QStringLiteral("ID"));
    lookupArticolo(tblCarichi_dett);

    qrySelArt.setSql(QStringLiteral("SELECT A.ID AS ID, A.codint AS codint, A.descr AS descr, "
                                    "A.agea AS agea, U.descr AS um FROM articoli A LEFT JOIN "
                                    "lstUm U ON A.um_id = U.ID ORDER BY A.descr"));

    tblCons_mast.setTabella(QStringLiteral("cons_mast"));
    tblCons_dett.setTabella(QStringLiteral("cons_dett"));
    tblCons_dett.setMaster(&tblCons_mast, QStringLiteral("modelli_id"), QStringLiteral("ID"));
    lookupArticolo(tblCons_dett);

    tblScarichi_mast.setTabella(QStringLiteral("scarichi_mast"));
    tblScarichi_mast.setOrdine(QStringLiteral("data, nrDocumento"));
    tblScarichi_mast.aggiungiLookup(QStringLiteral("luCognome"), QStringLiteral("nominativi_id"),
                                    QStringLiteral("nominativi"), QStringLiteral("cognome"));
    tblScarichi_mast.aggiungiLookup(QStringLiteral("luNome"), QStringLiteral("nominativi_id"),
                                    QStringLiteral("nominativi"), QStringLiteral("nome"));
    tblScarichi_mast.aggiungiLookup(QStringLiteral("luCausale"), QStringLiteral("causali_id"),
                                    QStringLiteral("lstCausali"), QStringLiteral("descr"));
    tblScarichi_dett.setTabella(QStringLiteral("scarichi_dett"));
    tblScarichi_dett.setMaster(&tblScarichi_mast, QStringLiteral("master_id"),
                               QStringLiteral("ID"));
    lookupArticolo(tblScarichi_dett);

    qrySottoScorta.setSql(QStringLiteral("SELECT * FROM articoli WHERE giacenza < scortamin"));
    qrySottoScorta.aggiungiLookup(QStringLiteral("luUm"), QStringLiteral("um_id"),
                                  QStringLiteral("lstUm"), QStringLiteral("descr"));

    tblParametri.setTabella(QStringLiteral("parametri"));
    tblArtAgea.setTabella(QStringLiteral("articoli"));
    tblArtAgea.setOrdine(QStringLiteral("descr"));
    tblArtAgea.setCondizione(QStringLiteral("agea=True"));

    tblAllegati9.setTabella(QStringLiteral("allegati9"));
    tblAllegati9.setOrdine(QStringLiteral("data"));
    tblAll9_dett.setSql(QStringLiteral("SELECT * FROM qry_all9_dett"));
    tblAll9_dett.setMaster(&tblAllegati9, QStringLiteral("data"), QStringLiteral("data"));
    tblAll9_dett.aggiungiLookup(QStringLiteral("agea"), QStringLiteral("articoli_id"),
                                QStringLiteral("articoli"), QStringLiteral("agea"));
    tblAll9_dest.setSql(QStringLiteral("SELECT * FROM qry_all9_dest"));
    tblAll9_dest.setMaster(&tblAllegati9, QStringLiteral("data"), QStringLiteral("data"));

    tblRegUnArt.setTabella(QStringLiteral("temp_RegUnArt"));
    tblPivot_carichi.setSql(QStringLiteral("SELECT * FROM qry_pivot_carichi"));
    tblPivot_scarichi.setSql(QStringLiteral("SELECT * FROM qry_pivot_scarichi"));
    qryRegagea.setSql(QStringLiteral("select * from qry_regagea_fase999"));
    tblPivotGiacAllaData.setSql(QStringLiteral("SELECT * FROM qry_pivot_giac_alla_data"));
    qryPivot.setSql(QStringLiteral("SELECT * FROM qry_pivot"));
}

void TdmDati::apriDataSet() {
    // The receipts and the distributions are listed a month at a time: read at start only
    // the month the tabs show first, so that the start does not grow with the years of
    // history. Whoever reaches a document by ID reads its month from the table.
    condizioneUltimoMese(tblCarichi_mast, QStringLiteral("carichi_mast"));
    condizioneUltimoMese(tblScarichi_mast, QStringLiteral("scarichi_mast"));
    const QList<DataSet*> tutti = tuttiDataSet();
    for (qsizetype i = 0; i < APERTI_ALL_AVVIO; ++i)
        tutti[i]->apri();
}

void TdmDati::Rinfresca(const QString& cosa) {
    static const QList<std::pair<QString, QList<DataSet TdmDati::*>>> gruppi = {
        {QStringLiteral("Articoli"), {&TdmDati::tblArticoli}},
        {QStringLiteral("Nominativi"), {&TdmDati::tblNominativi}},
        {QStringLiteral("Fornitori"), {&TdmDati::tblFornitori}},
        {QStringLiteral("Modelli"), {&TdmDati::tblCons_dett, &TdmDati::tblCons_mast}},
        {QStringLiteral("Carichi"), {&TdmDati::tblCarichi_mast, &TdmDati::tblCarichi_dett}},
        {QStringLiteral("Scarichi"), {&TdmDati::tblScarichi_mast, &TdmDati::tblScarichi_dett}},
        {QStringLiteral("ArtAgea"), {&TdmDati::tblArtAgea}},
        {QStringLiteral("Allegati9"), {&TdmDati::tblAllegati9}},
    };
    bool trovato = false;
    for (const auto& [nome, insiemi] : gruppi) {
        if (nome != cosa)
            continue;
        trovato = true;
        for (DataSet TdmDati::*ds : insiemi)
            (this->*ds).rinfresca();
    }
    if (!trovato)
        m_avvisi.errore(QStringLiteral("ERRORE #9: Parametro errato."));
    utLogWrite(QStringLiteral("Rinfresca { cosa=\"") + cosa + QStringLiteral("\" }"));
}

bool TdmDati::AnagCerca_OnFilterRecord(const DataSet& ds, int riga) const {
    static const QHash<QString, QString> campi = {
        {QStringLiteral("edtArtCerca"), QStringLiteral("descr")},
        {QStringLiteral("edtNomCerca"), QStringLiteral("cognome")},
        {QStringLiteral("edtForCerca"), QStringLiteral("ragsoc")},
        {QStringLiteral("edtQuickNomCerca"), QStringLiteral("cognome")},
        {QStringLiteral("edtSelNomCerca"), QStringLiteral("cognome")},
    };
    if (!cercaAttivo)
        return true;
    const QString campo = campi.value(cercaAttivo->objectName());
    if (campo.isEmpty())
        return true;
    const QString cercato = utLocale().toUpper(cercaAttivo->property("text").toString());
    return utLocale().toUpper(TestoValore(ds.valore(riga, campo))).contains(cercato);
}

int TdmDati::LeggiVersioneDb() {
    try {
        bool ok = false;
        const int versione =
            DbValore(QStringLiteral("info"), QStringLiteral("versioneDb"), QString()).toInt(&ok);
        return ok ? versione : 0;
    } catch (const ErroreDb& e) {
        if (e.tabellaMancante())
            return 0;
        m_avvisi.errore(QStringLiteral("ERRORE #13: Errore versione database(") + e.messaggio() +
                        QStringLiteral(")."));
    } catch (const Errore& e) {
        m_avvisi.errore(QStringLiteral("ERRORE #12: Errore versione database (") + e.messaggio() +
                        QStringLiteral(")."));
    }
    return -1;
}
