#include "DefinizioniReport.h"
#include "GiacenzeAllaData.h"

#include <algorithm>

namespace {

using Tipo = SezioneDef::Tipo;

// The stock of the article A today: the opening stock plus the receipt lines and minus the
// distribution lines dated up to today (the year closing removes the movements it folds
// into the opening stock).
const QString sqlGiacenzaAttuale = QStringLiteral(
    "IFNULL(A.giacenza, 0)"
    " + (SELECT TOTAL(D.qta) FROM carichi_dett D JOIN carichi_mast M ON M.ID = D.master_id"
    "    WHERE D.articoli_id = A.ID AND M.data < date('now', 'localtime', '+1 day'))"
    " - (SELECT TOTAL(D.qta) FROM scarichi_dett D JOIN scarichi_mast M ON M.ID = D.master_id"
    "    WHERE D.articoli_id = A.ID AND M.data < date('now', 'localtime', '+1 day'))");

// "CAP Città (PR)" of a table with the columns cap, citta, prov.
QString sqlLocalita(const QString& alias) {
    return QStringLiteral("TRIM(IFNULL(%1cap, '') || ' ' || IFNULL(%1citta, '') ||"
                          " CASE WHEN IFNULL(%1prov, '') <> '' THEN ' (' || %1prov || ')'"
                          " ELSE '' END)")
        .arg(alias);
}

// "Via Roma 1 - 20121 Milano (MI)" of a table with the columns via, cap, citta, prov;
// either part may be missing.
QString sqlIndirizzo(const QString& alias) {
    return QStringLiteral("TRIM(IFNULL(%1via, '')) || CASE WHEN TRIM(IFNULL(%1via, '')) <> ''"
                          " AND %2 <> '' THEN ' - ' ELSE '' END || %2")
        .arg(alias, sqlLocalita(alias));
}

// The tax codes of a table with the columns codfisc and piva, each labelled and only when
// it exists: "C.F. ... - P.IVA ...", or "C.F. e P.IVA ..." when they are the same number.
QString sqlCodici(const QString& alias) {
    const QString cf = QStringLiteral("TRIM(IFNULL(%1codfisc, ''))").arg(alias);
    const QString iva = QStringLiteral("TRIM(IFNULL(%1piva, ''))").arg(alias);
    return QStringLiteral("CASE WHEN %1 = '' AND %2 = '' THEN NULL"
                          " WHEN %1 = %2 THEN 'C.F. e P.IVA ' || %1"
                          " WHEN %1 = '' THEN 'P.IVA ' || %2"
                          " WHEN %2 = '' THEN 'C.F. ' || %1"
                          " ELSE 'C.F. ' || %1 || ' - P.IVA ' || %2 END")
        .arg(cf, iva);
}

// The first row of datiAzienda, the organisation that prints, joined as Z.
const QString sqlAzienda =
    QStringLiteral(" LEFT JOIN (SELECT * FROM datiAzienda ORDER BY ID LIMIT 1) Z");

// The organisation Z as the columns struttura, strutturaIndirizzo, strutturaCodici.
QString sqlStruttura() {
    return QStringLiteral("Z.ragsoc AS struttura, %1 AS strutturaIndirizzo,"
                          " %2 AS strutturaCodici")
        .arg(sqlIndirizzo(QStringLiteral("Z.")), sqlCodici(QStringLiteral("Z.")));
}

ColonnaDef campo(const QString& etichetta, const QString& nome, Formato formato = Formato::Testo,
                 double larghezza = 1) {
    return {.etichetta = etichetta, .campi = {nome}, .formato = formato, .larghezza = larghezza};
}

ColonnaDef campi(const QString& etichetta, const QStringList& nomi, const QString& separatore,
                 double larghezza = 1) {
    return {
        .etichetta = etichetta, .campi = nomi, .larghezza = larghezza, .separatore = separatore};
}

ColonnaDef evidenza(const QString& nome) {
    ColonnaDef c = campo({}, nome);
    c.evidenza = true;
    return c;
}

ColonnaDef quantita(const QString& etichetta, const QString& nome, double larghezza = 11) {
    ColonnaDef c = campo(etichetta, nome, Formato::Quantita, larghezza);
    c.unaRiga = true;
    return c;
}

// A name with its address and tax codes under it, one a line: the columns `nome`,
// `nome`Indirizzo and `nome`Codici.
ColonnaDef anagrafica(const QString& etichetta, const QString& nome) {
    return campi(etichetta,
                 {nome, nome + QStringLiteral("Indirizzo"), nome + QStringLiteral("Codici")},
                 QStringLiteral("\n"));
}

// The lines of a movement document or template: `tabella` with `chiave` = the parameter.
// AGEA products are marked, the others left blank; the quantities line up on the decimal
// comma, and the closing row counts the articles and sums the quantities per unit.
SezioneDef righeDocumento(const QString& titolo, const QString& tabella, const QString& chiave,
                          const QString& intestazioneQta) {
    return {
        .tipo = Tipo::Tabella,
        .titolo = titolo,
        .sql = QStringLiteral("SELECT A.codint, A.descr, CASE WHEN A.agea <> 0 THEN 1 END AS agea,"
                              " U.descr AS um, D.qta FROM %1 D"
                              " LEFT JOIN articoli A ON A.ID = D.articoli_id"
                              " LEFT JOIN lstUm U ON U.ID = A.um_id"
                              " WHERE D.%2 = ? ORDER BY D.ID")
                   .arg(tabella, chiave),
        .colonne = {campo(QStringLiteral("Codice"), QStringLiteral("codint"), Formato::Testo, 10),
                    campo(QStringLiteral("Articolo"), QStringLiteral("descr"), Formato::Testo, 46),
                    campo(QStringLiteral("AGEA"), QStringLiteral("agea"), Formato::SiNo, 8),
                    campo(QStringLiteral("U.M."), QStringLiteral("um"), Formato::Testo, 14),
                    quantita(intestazioneQta, QStringLiteral("qta"), 14)},
        .chiusura = {{.etichetta = QStringLiteral("Totale"),
                      .campo = QStringLiteral("qta"),
                      .modo = ChiusuraDef::Modo::Riepilogo,
                      .campoUnita = QStringLiteral("um")}},
        .vuoto = QStringLiteral("Nessun articolo.")};
}

DefinizioneReport elencoArticoli() {
    return {
        .macro = QStringLiteral("mac_StampaElencoArticoli"),
        .titolo = QStringLiteral("Elenco articoli"),
        .sezioni = {
            {.tipo = Tipo::Tabella,
             .sql = QStringLiteral("SELECT A.codint, A.descr, C.descr AS categoria,"
                                   " U.descr AS um, A.agea, A.giacenza, ") +
                    sqlGiacenzaAttuale +
                    QStringLiteral(" AS attuale FROM articoli A"
                                   " LEFT JOIN lstCatmerc C ON C.ID = A.catmerc_id"
                                   " LEFT JOIN lstUm U ON U.ID = A.um_id"
                                   " ORDER BY A.descr COLLATE NOCASE, A.ID"),
             .colonne =
                 {campo(QStringLiteral("Codice"), QStringLiteral("codint"), Formato::Testo, 9),
                  campo(QStringLiteral("Descrizione"), QStringLiteral("descr"), Formato::Testo, 34),
                  campo(QStringLiteral("Categoria"), QStringLiteral("categoria"), Formato::Testo,
                        17),
                  campo(QStringLiteral("U.M."), QStringLiteral("um"), Formato::Testo, 10),
                  campo(QStringLiteral("AGEA"), QStringLiteral("agea"), Formato::SiNo, 7),
                  campo(QStringLiteral("Giac. iniziale"), QStringLiteral("giacenza"),
                        Formato::Numero, 11),
                  campo(QStringLiteral("Giac. attuale"), QStringLiteral("attuale"), Formato::Numero,
                        11)},
             .vuoto = QStringLiteral("Nessun articolo.")}}};
}

DefinizioneReport schedaArticolo() {
    return {
        .macro = QStringLiteral("mac_StampaSchedaArticolo"),
        .titolo = QStringLiteral("Scheda articolo"),
        .parametro = QStringLiteral("Stampa_Articolo_ID"),
        .sqlTitolo = QStringLiteral("SELECT 'Scheda articolo - ' || NULLIF(TRIM(descr), '')"
                                    " FROM articoli WHERE ID = ?"),
        .sezioni = {{.tipo = Tipo::Campi,
                     .sql = QStringLiteral("SELECT NULLIF(TRIM(A.codint), '0') AS codint, A.descr,"
                                           " C.descr AS categoria, U.descr AS um,"
                                           " A.agea, A.giacenza, A.scortamin, ") +
                            sqlGiacenzaAttuale +
                            QStringLiteral(" AS attuale FROM articoli A"
                                           " LEFT JOIN lstCatmerc C ON C.ID = A.catmerc_id"
                                           " LEFT JOIN lstUm U ON U.ID = A.um_id WHERE A.ID = ?"),
                     .colonne = {campo(QStringLiteral("Codice"), QStringLiteral("codint")),
                                 campo(QStringLiteral("Descrizione"), QStringLiteral("descr")),
                                 campo(QStringLiteral("Categoria merceologica"),
                                       QStringLiteral("categoria")),
                                 campo(QStringLiteral("Unità di misura"), QStringLiteral("um")),
                                 campo(QStringLiteral("Prodotto AGEA"), QStringLiteral("agea"),
                                       Formato::SiNo),
                                 campo(QStringLiteral("Giacenza iniziale"),
                                       QStringLiteral("giacenza"), Formato::Numero),
                                 campo(QStringLiteral("Scorta minima"), QStringLiteral("scortamin"),
                                       Formato::Numero),
                                 campo(QStringLiteral("Giacenza attuale"),
                                       QStringLiteral("attuale"), Formato::Numero)},
                     .tralasciaVuoti = true}}};
}

DefinizioneReport elencoNominativi() {
    return {
        .macro = QStringLiteral("mac_StampaElencoNominativi"),
        .titolo = QStringLiteral("Elenco nominativi"),
        .sezioni = {
            {.tipo = Tipo::Tabella,
             .sql = QStringLiteral("SELECT cognome, nome, via, ") + sqlLocalita({}) +
                    QStringLiteral(" AS localita, telefono1, telefono2, numFamiliari"
                                   " FROM nominativi"
                                   " ORDER BY cognome COLLATE NOCASE, nome COLLATE NOCASE, ID"),
             .colonne = {campo(QStringLiteral("Cognome"), QStringLiteral("cognome"), Formato::Testo,
                               18),
                         campo(QStringLiteral("Nome"), QStringLiteral("nome"), Formato::Testo, 16),
                         campi(QStringLiteral("Indirizzo"),
                               {QStringLiteral("via"), QStringLiteral("localita")},
                               QStringLiteral(", "), 38),
                         campi(QStringLiteral("Telefono"),
                               {QStringLiteral("telefono1"), QStringLiteral("telefono2")},
                               QStringLiteral("\n"), 19),
                         campo(QStringLiteral("Familiari"), QStringLiteral("numFamiliari"),
                               Formato::Intero, 9)},
             .vuoto = QStringLiteral("Nessun nominativo.")}}};
}

DefinizioneReport schedaNominativo() {
    return {.macro = QStringLiteral("mac_StampaSchedaNominativo"),
            .titolo = QStringLiteral("Scheda nominativo"),
            .parametro = QStringLiteral("Stampa_Nominativo_ID"),
            .sqlTitolo = QStringLiteral(
                "SELECT 'Scheda nominativo - ' || NULLIF(TRIM(IFNULL(cognome, '') || ' ' ||"
                " IFNULL(nome, '')), '') FROM nominativi WHERE ID = ?"),
            .sezioni = {
                {.tipo = Tipo::Campi,
                 .sql = QStringLiteral(
                     "SELECT ID, cognome, nome, via, cap, citta, prov, nazione, nazionalita,"
                     " telefono1, telefono2, email, codfisc, statoCivile, natoA,"
                     " NULLIF(TRIM(natoIl), '0') AS natoIl,"
                     " numFamiliari, dettFamiliari, note FROM nominativi WHERE ID = ?"),
                 .colonne = {campo(QStringLiteral("Codice"), QStringLiteral("ID"), Formato::Intero),
                             campo(QStringLiteral("Cognome"), QStringLiteral("cognome")),
                             campo(QStringLiteral("Nome"), QStringLiteral("nome")),
                             campo(QStringLiteral("Via"), QStringLiteral("via")),
                             campo(QStringLiteral("CAP"), QStringLiteral("cap")),
                             campo(QStringLiteral("Città"), QStringLiteral("citta")),
                             campo(QStringLiteral("Provincia"), QStringLiteral("prov")),
                             campo(QStringLiteral("Nazione"), QStringLiteral("nazione")),
                             campo(QStringLiteral("Nazionalità"), QStringLiteral("nazionalita")),
                             campo(QStringLiteral("Telefono 1"), QStringLiteral("telefono1")),
                             campo(QStringLiteral("Telefono 2"), QStringLiteral("telefono2")),
                             campo(QStringLiteral("E-mail"), QStringLiteral("email")),
                             campo(QStringLiteral("Codice fiscale"), QStringLiteral("codfisc")),
                             campo(QStringLiteral("Stato civile"), QStringLiteral("statoCivile")),
                             campo(QStringLiteral("Luogo di nascita"), QStringLiteral("natoA")),
                             campo(QStringLiteral("Data di nascita"), QStringLiteral("natoIl")),
                             campo(QStringLiteral("Numero familiari"),
                                   QStringLiteral("numFamiliari"), Formato::Intero),
                             campo(QStringLiteral("Familiari"), QStringLiteral("dettFamiliari")),
                             campo(QStringLiteral("Note"), QStringLiteral("note"))},
                 .tralasciaVuoti = true}}};
}

DefinizioneReport elencoFornitori() {
    return {
        .macro = QStringLiteral("mac_StampaElencoFornitori"),
        .titolo = QStringLiteral("Elenco fornitori"),
        .sezioni = {{.tipo = Tipo::Tabella,
                     .sql = QStringLiteral("SELECT ragsoc, via, ") + sqlLocalita({}) +
                            QStringLiteral(" AS localita, telefono, email, piva, codfisc"
                                           " FROM fornitori ORDER BY ragsoc COLLATE NOCASE, ID"),
                     .colonne = {campo(QStringLiteral("Ragione sociale"), QStringLiteral("ragsoc"),
                                       Formato::Testo, 30),
                                 campi(QStringLiteral("Indirizzo"),
                                       {QStringLiteral("via"), QStringLiteral("localita")},
                                       QStringLiteral(", "), 32),
                                 campo(QStringLiteral("Telefono"), QStringLiteral("telefono"),
                                       Formato::Testo, 14),
                                 campo(QStringLiteral("E-mail"), QStringLiteral("email"),
                                       Formato::Testo, 20),
                                 campi(QStringLiteral("P. IVA / Cod. fiscale"),
                                       {QStringLiteral("piva"), QStringLiteral("codfisc")},
                                       QStringLiteral(" / "), 16)},
                     .vuoto = QStringLiteral("Nessun fornitore.")}}};
}

DefinizioneReport schedaFornitore() {
    return {
        .macro = QStringLiteral("mac_StampaSchedaFornitore"),
        .titolo = QStringLiteral("Scheda fornitore"),
        .parametro = QStringLiteral("Stampa_Fornitore_ID"),
        .sqlTitolo = QStringLiteral("SELECT 'Scheda fornitore - ' || NULLIF(TRIM(ragsoc), '')"
                                    " FROM fornitori WHERE ID = ?"),
        .sezioni = {
            {.tipo = Tipo::Campi,
             .sql = QStringLiteral(
                 "SELECT NULLIF(TRIM(codfor), '0') AS codfor, ragsoc, via, cap, citta, prov,"
                 " nazione, telefono, fax,"
                 " email, codfisc, piva, riferimento1, telefono1, riferimento2, telefono2,"
                 " riferimento3, telefono3 FROM fornitori WHERE ID = ?"),
             .colonne = {campo(QStringLiteral("Codice fornitore"), QStringLiteral("codfor")),
                         campo(QStringLiteral("Ragione sociale"), QStringLiteral("ragsoc")),
                         campo(QStringLiteral("Via"), QStringLiteral("via")),
                         campo(QStringLiteral("CAP"), QStringLiteral("cap")),
                         campo(QStringLiteral("Città"), QStringLiteral("citta")),
                         campo(QStringLiteral("Provincia"), QStringLiteral("prov")),
                         campo(QStringLiteral("Nazione"), QStringLiteral("nazione")),
                         campo(QStringLiteral("Telefono"), QStringLiteral("telefono")),
                         campo(QStringLiteral("Fax"), QStringLiteral("fax")),
                         campo(QStringLiteral("E-mail"), QStringLiteral("email")),
                         campo(QStringLiteral("Codice fiscale"), QStringLiteral("codfisc")),
                         campo(QStringLiteral("Partita IVA"), QStringLiteral("piva")),
                         campo(QStringLiteral("Referente 1"), QStringLiteral("riferimento1")),
                         campo(QStringLiteral("Telefono referente 1"), QStringLiteral("telefono1")),
                         campo(QStringLiteral("Referente 2"), QStringLiteral("riferimento2")),
                         campo(QStringLiteral("Telefono referente 2"), QStringLiteral("telefono2")),
                         campo(QStringLiteral("Referente 3"), QStringLiteral("riferimento3")),
                         campo(QStringLiteral("Telefono referente 3"),
                               QStringLiteral("telefono3"))},
             .tralasciaVuoti = true}}};
}

// The goods received note of a receipt: the supplier's document number and date as title,
// the organisation and the supplier with address and tax codes, the lines with their
// total, and the line where the volunteer who took the goods in signs.
DefinizioneReport schedaCarico() {
    return {
        .macro = QStringLiteral("mac_StampaSchedaCarico"),
        .titolo = QStringLiteral("Carico merci"),
        .parametro = QStringLiteral("Stampa_Carico_ID"),
        .sqlTitolo = QStringLiteral(
            "SELECT 'Carico merci' || CASE WHEN TRIM(IFNULL(nrDocumento, '')) <> ''"
            " THEN ' - documento n. ' || TRIM(nrDocumento) ELSE '' END ||"
            " IFNULL(' del ' || strftime('%d/%m/%Y', data), '') FROM carichi_mast WHERE ID = ?"),
        .sezioni = {
            {.tipo = Tipo::Campi,
             .sql = QStringLiteral("SELECT ") + sqlStruttura() +
                    QStringLiteral(
                        ", CASE WHEN F.ID IS NOT NULL THEN F.ragsoc"
                        " WHEN IFNULL(M.fornitore_id, 0) <> 0"
                        " THEN 'Fornitore n. ' || M.fornitore_id || ' (non più in archivio)'"
                        " END AS fornitore, ") +
                    sqlIndirizzo(QStringLiteral("F.")) +
                    QStringLiteral(" AS fornitoreIndirizzo, ") + sqlCodici(QStringLiteral("F.")) +
                    QStringLiteral(" AS fornitoreCodici FROM carichi_mast M"
                                   " LEFT JOIN fornitori F ON F.ID = M.fornitore_id") +
                    sqlAzienda + QStringLiteral(" WHERE M.ID = ?"),
             .colonne = {anagrafica(QStringLiteral("Struttura caritativa"),
                                    QStringLiteral("struttura")),
                         anagrafica(QStringLiteral("Fornitore"), QStringLiteral("fornitore"))}},
            righeDocumento(QStringLiteral("Articoli ricevuti"), QStringLiteral("carichi_dett"),
                           QStringLiteral("master_id"), QStringLiteral("Quantità")),
            {.tipo = Tipo::Firma, .titolo = QStringLiteral("Ricevuto da")}}};
}

// The delivery receipt of a distribution, handed over and filed: its number and date as
// title, the organisation, the beneficiary and the household served (for a delivery to
// people, reason 1) or the reason and the people served (any other reason), the lines with
// their total, and the signatures of who receives the goods and of the volunteer.
DefinizioneReport schedaScarico() {
    return {
        .macro = QStringLiteral("mac_StampaSchedaScarico"),
        .titolo = QStringLiteral("Ricevuta di consegna"),
        .parametro = QStringLiteral("Stampa_Scarico_ID"),
        .sqlTitolo = QStringLiteral("SELECT 'Ricevuta di consegna' ||"
                                    " IFNULL(' n. ' || NULLIF(TRIM(nrDocumento), ''), '') ||"
                                    " IFNULL(' del ' || strftime('%d/%m/%Y', data), '')"
                                    " FROM scarichi_mast WHERE ID = ?"),
        .sezioni = {
            {.tipo = Tipo::Campi,
             .sql = QStringLiteral("SELECT ") + sqlStruttura() +
                    QStringLiteral(
                        ", CASE WHEN IFNULL(M.causali_id, 0) <> 1 THEN NULL"
                        " WHEN IFNULL(M.nominativi_id, 0) = 0 THEN 'Anonimo'"
                        " WHEN N.ID IS NULL"
                        "  THEN 'Nominativo n. ' || M.nominativi_id || ' (non più in archivio)'"
                        " ELSE COALESCE(NULLIF(TRIM(IFNULL(N.cognome, '') || ' ' ||"
                        "  IFNULL(N.nome, '')), ''), 'Nominativo n. ' || N.ID) END AS beneficiario,"
                        " CASE WHEN M.causali_id = 1 THEN ") +
                    sqlIndirizzo(QStringLiteral("N.")) +
                    QStringLiteral(
                        " END AS beneficiarioIndirizzo,"
                        " CASE WHEN M.causali_id = 1 THEN IFNULL(M.nrBeneficiati, 0) ||"
                        "  CASE WHEN M.nrBeneficiati = 1 THEN ' persona' ELSE ' persone' END"
                        " END AS nucleo,"
                        " CASE WHEN IFNULL(M.causali_id, 0) <> 1"
                        "  THEN IFNULL(K.descr, 'Causale n. ' || IFNULL(M.causali_id, '')) END"
                        "  AS causale,"
                        " CASE WHEN IFNULL(M.causali_id, 0) <> 1 AND M.nrBeneficiati > 0"
                        "  THEN M.nrBeneficiati END AS serviti FROM scarichi_mast M"
                        " LEFT JOIN lstCausali K ON K.ID = M.causali_id"
                        " LEFT JOIN nominativi N ON N.ID = M.nominativi_id") +
                    sqlAzienda + QStringLiteral(" WHERE M.ID = ?"),
             .colonne =
                 {anagrafica(QStringLiteral("Struttura caritativa"), QStringLiteral("struttura")),
                  campi(QStringLiteral("Beneficiario"),
                        {QStringLiteral("beneficiario"), QStringLiteral("beneficiarioIndirizzo")},
                        QStringLiteral("\n")),
                  campo(QStringLiteral("Nucleo familiare"), QStringLiteral("nucleo")),
                  campo(QStringLiteral("Causale"), QStringLiteral("causale")),
                  campo(QStringLiteral("Persone servite"), QStringLiteral("serviti"),
                        Formato::Intero)},
             .tralasciaVuoti = true},
            righeDocumento(QStringLiteral("Articoli consegnati"), QStringLiteral("scarichi_dett"),
                           QStringLiteral("master_id"), QStringLiteral("Quantità")),
            {.tipo = Tipo::Firma,
             .sql = QStringLiteral("SELECT CASE WHEN causali_id = 1 THEN 'Firma del beneficiario'"
                                   " ELSE 'Firma per ricevuta' END AS ricevente,"
                                   " 'Firma del volontario' AS volontario"
                                   " FROM scarichi_mast WHERE ID = ?"),
             .colonne = {campo({}, QStringLiteral("ricevente")),
                         campo({}, QStringLiteral("volontario"))}}}};
}

DefinizioneReport modelloConsegna() {
    return {.macro = QStringLiteral("mac_StampaModCons"),
            .titolo = QStringLiteral("Modello di consegna"),
            .parametro = QStringLiteral("Stampa_ModCons_id"),
            .sqlTitolo = QStringLiteral("SELECT 'Modello di consegna - ' || NULLIF(TRIM(descr), '')"
                                        " FROM cons_mast WHERE ID = ?"),
            .sezioni = {{.tipo = Tipo::Campi,
                         .sql = QStringLiteral("SELECT descr FROM cons_mast WHERE ID = ?"),
                         .colonne = {campo(QStringLiteral("Modello"), QStringLiteral("descr"))},
                         .tralasciaVuoti = true},
                        righeDocumento(QStringLiteral("Articoli del modello"),
                                       QStringLiteral("cons_dett"), QStringLiteral("modelli_id"),
                                       QStringLiteral("Quantità per consegna"))}};
}

SezioneDef copertinaRegistro(const QString& periodo) {
    return {
        .tipo = Tipo::Copertina,
        .sql = QStringLiteral("SELECT 'STRUTTURA CARITATIVA' AS intestazione, Z.ragsoc, Z.via, ") +
               sqlLocalita(QStringLiteral("Z.")) +
               QStringLiteral(" AS localita, Z.telefono, Z.fax, Z.email, ") +
               sqlCodici(QStringLiteral("Z.")) +
               QStringLiteral(
                   " AS codici, 'REGISTRO DI CARICO E SCARICO DEI PRODOTTI AGEA' AS titolo, ") +
               periodo +
               QStringLiteral(" AS periodo, CASE WHEN IFNULL(P.Regagea_Articolo_ID, 0) = 0"
                              " THEN 'Tutti i prodotti AGEA' ELSE A.descr END AS articoli"
                              " FROM parametri P") +
               sqlAzienda + QStringLiteral(" LEFT JOIN articoli A ON A.ID = P.Regagea_Articolo_ID"),
        .colonne = {
            campo({}, QStringLiteral("intestazione")), evidenza(QStringLiteral("ragsoc")),
            campi({}, {QStringLiteral("via"), QStringLiteral("localita")}, QStringLiteral(" - ")),
            campo(QStringLiteral("Tel. "), QStringLiteral("telefono")),
            campo(QStringLiteral("Fax "), QStringLiteral("fax")),
            campo(QStringLiteral("E-mail "), QStringLiteral("email")),
            campo({}, QStringLiteral("codici")), evidenza(QStringLiteral("titolo")),
            campo({}, QStringLiteral("periodo")), campo({}, QStringLiteral("articoli"))}};
}

// The AGEA register of the month in parametri.Pivot_mese, for the article in
// parametri.Regagea_Articolo_ID (0: every AGEA article), in the order qry_regagea_fase999
// gives it. Per article, under its name and unit: the carried-forward row, one row per
// document of the month, the stock carried from page to page, the month's totals and the
// closing stock; the stamp and signature line closes the register.
DefinizioneReport registroAgea(const QString& macro, bool copertina) {
    const QString periodo =
        QStringLiteral("'Periodo dal ' || strftime('%d/%m/%Y', P.Pivot_mese, 'start of month') ||"
                       " ' al ' || strftime('%d/%m/%Y', P.Pivot_mese, 'start of month',"
                       " '+1 month', '-1 day')");
    ColonnaDef data = campo(QStringLiteral("Data"), QStringLiteral("data"), Formato::Data, 11);
    data.unaRiga = true;
    ColonnaDef documento =
        campo(QStringLiteral("N. doc."), QStringLiteral("rangedoc"), Formato::Testo, 8);
    documento.unaRiga = true;
    ColonnaDef persone =
        campo(QStringLiteral("Persone"), QStringLiteral("dest"), Formato::Intero, 9);
    persone.unaRiga = true;
    ColonnaDef titolo = campi({}, {QStringLiteral("artdescr"), QStringLiteral("um")},
                              QStringLiteral(" - Unità di misura: "));
    using Modo = ChiusuraDef::Modo;
    DefinizioneReport d{
        .macro = macro,
        .titolo = QStringLiteral("Registro di carico e scarico dei prodotti AGEA"),
        .richiesti = {{QStringLiteral("Pivot_mese"), ParametroDef::Tipo::Data},
                      {QStringLiteral("Regagea_Articolo_ID"), ParametroDef::Tipo::ArticoloAgea}},
        // Named after its month, on the page and in the file's name: "... - Marzo 2024".
        .sqlTitolo = QStringLiteral(
            "SELECT 'Registro di carico e scarico dei prodotti AGEA - ' ||"
            " trim(substr('Gennaio  Febbraio Marzo    Aprile   Maggio   Giugno   Luglio   "
            "Agosto   SettembreOttobre  Novembre Dicembre ',"
            " 9 * (CAST(strftime('%m', Pivot_mese) AS INTEGER) - 1) + 1, 9)) || ' ' ||"
            " strftime('%Y', Pivot_mese) FROM parametri"),
        .sqlSottotitolo = QStringLiteral("SELECT %1 FROM parametri P").arg(periodo),
        .sezioni = {
            {.tipo = Tipo::Tabella,
             .sql = QStringLiteral("SELECT articoli_id, artdescr, um, data, rangedoc, descr,"
                                   " carico, scarico, giacza, dest FROM qry_regagea_fase999"),
             .colonne = {data, documento,
                         campo(QStringLiteral("Fornitore / destinatari"), QStringLiteral("descr"),
                               Formato::Testo, 37),
                         quantita(QStringLiteral("Carico"), QStringLiteral("carico")),
                         quantita(QStringLiteral("Scarico"), QStringLiteral("scarico")),
                         quantita(QStringLiteral("Giacenza"), QStringLiteral("giacza")), persone},
             .campoGruppo = QStringLiteral("articoli_id"),
             .titoloGruppo = titolo,
             .chiusura = {{QStringLiteral("Totale carichi del mese"), QStringLiteral("carico"),
                           Modo::Somma},
                          {QStringLiteral("Totale scarichi del mese"), QStringLiteral("scarico"),
                           Modo::Somma},
                          {QStringLiteral("Giacenza finale"), QStringLiteral("giacza"),
                           Modo::Ultimo}},
             .campoRiporto = QStringLiteral("giacza"),
             .vuoto = QStringLiteral("Nessun prodotto AGEA da stampare.")},
            {.tipo = Tipo::Firma,
             .titolo = QStringLiteral(
                 "Timbro della struttura caritativa e firma del legale rappresentante")}}};
    if (copertina)
        d.sezioni.prepend(copertinaRegistro(periodo));
    return d;
}

// The stock of every article at the end of the day before parametri.Pivot_giac_data (the
// program writes the day after the chosen one, so that the chosen day's movements count):
// articles below their minimum stock first and marked, then the others by description.
DefinizioneReport giacenzeAllaData() {
    ColonnaDef sotto =
        campo(QStringLiteral("Sotto scorta"), QStringLiteral("sotto"), Formato::SiNo, 11);
    sotto.unaRiga = true;
    return {
        .macro = QStringLiteral("mac_StampaGiacenzeAllaData"),
        .titolo = QStringLiteral("Giacenze"),
        .richiesti = {{QStringLiteral("Pivot_giac_data"), ParametroDef::Tipo::Data}},
        .sqlTitolo = QStringLiteral("SELECT 'Giacenze al ' ||"
                                    " strftime('%d/%m/%Y', Pivot_giac_data, '-1 day')"
                                    " FROM parametri"),
        .sqlSottotitolo = QStringLiteral("SELECT 'A fine giornata, compresi i movimenti del"
                                         " giorno; in testa gli articoli sotto la scorta minima'"),
        .sezioni = {
            {.tipo = Tipo::Tabella,
             .sql = SqlGiacenzeAllaData(),
             .colonne =
                 {campo(QStringLiteral("Codice"), QStringLiteral("codint"), Formato::Testo, 9),
                  campo(QStringLiteral("Articolo"), QStringLiteral("descr"), Formato::Testo, 40),
                  campo(QStringLiteral("U.M."), QStringLiteral("um"), Formato::Testo, 12),
                  quantita(QStringLiteral("Giacenza"), QStringLiteral("giacza"), 13),
                  quantita(QStringLiteral("Scorta minima"), QStringLiteral("scortamin"), 13),
                  sotto},
             .vuoto = QStringLiteral("Nessun articolo.")}}};
}

QVector<DefinizioneReport> definizioni() {
    return {elencoArticoli(),
            schedaArticolo(),
            elencoNominativi(),
            schedaNominativo(),
            elencoFornitori(),
            schedaFornitore(),
            schedaCarico(),
            schedaScarico(),
            modelloConsegna(),
            registroAgea(QStringLiteral("mac_StampaRegistroAgeaNoCopertina"), false),
            registroAgea(QStringLiteral("mac_StampaRegistroAgea"), true),
            giacenzeAllaData()};
}

} // namespace

const QVector<DefinizioneReport>& DefinizioniReport() {
    static const QVector<DefinizioneReport> tutte = definizioni();
    return tutte;
}

const DefinizioneReport* TrovaDefinizione(const QString& macro) {
    const QVector<DefinizioneReport>& tutte = DefinizioniReport();
    auto it = std::find_if(tutte.begin(), tutte.end(), [&](const DefinizioneReport& d) {
        return d.macro.compare(macro, Qt::CaseInsensitive) == 0;
    });
    return it == tutte.end() ? nullptr : &*it;
}
