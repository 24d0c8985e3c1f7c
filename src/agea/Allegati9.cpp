#include "Allegati9.h"

#include "AccessoDati.h"
#include "DataSet.h"
#include "Datamodule.h"
#include "Messaggi.h"
#include "Transazione.h"
#include "Utilitylibrary.h"

#include <QDateTime>

namespace {

// The delivery days in date order: the days that must have a declaration.
const QString SQL_GIORNI = QStringLiteral("SELECT DISTINCT data FROM qry_all9_dest ORDER BY data");

// The integer value of a DbValore result; 0 when it is empty or not a number.
int intero(const QString& testo) {
    return testo.toInt();
}

// A date column's value as a date and time (midnight for a date alone), for the exact
// comparison of a declaration's day with a delivery day.
QDateTime dataOra(const QVariant& v) {
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime();
    if (v.typeId() == QMetaType::QDate)
        return v.toDate().startOfDay();
    return utDataOraDaTesto(TestoValore(v));
}

void inserisciAllegato9(const QDate& data, int anno, int numero) {
    Querifica(QStringLiteral("INSERT INTO allegati9 ( data, anno, numero, stampato ) VALUES( ") +
              utDataSql(data) + QLatin1Char(',') + QString::number(anno) + QLatin1Char(',') +
              QString::number(numero) + QStringLiteral(",False )"));
}

QString messaggioRinumerazione(const QDateTime& prev) {
    return QStringLiteral("Attenzione: la numerazione delle Dichiarazioni di Consegna "
                          "(\"Allegato 9\") è stata modificata.\n"
                          "Occorre confrontare la numerazione delle Dichiarazioni presenti "
                          "nella scheda \"Giornaliero\" con quelle stampate, a partire "
                          "dalla data ") +
           utTestoData(prev.date()) + QLatin1Char('.');
}

void verificaAllegati9(const QString& routine, TdmDati& dati, Messaggi& messaggi) {
    const int n9 = intero(DbValore(QStringLiteral("allegati9"), QStringLiteral("COUNT(*)"), {}));
    utLog(routine, QStringLiteral("Ci sono ") + QString::number(n9) + QStringLiteral(" allegati9"));
    DataSet giorni(QStringLiteral("qryGiorniConsegna"));
    Recset(SQL_GIORNI, giorni);
    const int nd = giorni.conteggio();
    utLog(routine,
          QStringLiteral("Ci sono ") + QString::number(nd) + QStringLiteral(" giorni di consegna"));

    if (nd == 0) {
        Querifica(QStringLiteral("DELETE FROM allegati9"));
        // The list of the "Giornaliero" tab must not go on showing the removed rows.
        dati.tblAllegati9.rinfresca();
        utLog(routine, QStringLiteral("Svuotata tabella allegati9"));
        return;
    }
    if (n9 == 0) {
        RicreaAllegati9(dati);
        utLog(routine, QStringLiteral("Popolata tabella allegati9"));
        return;
    }

    DataSet allegati(QStringLiteral("qryAllegati9"));
    Recset(QStringLiteral("SELECT data, numero FROM allegati9 ORDER BY data"), allegati);
    // The start value lies in the year before the first declaration, so the first row
    // always opens a new year.
    const QDateTime first9 =
        utDataOraDaTesto(DbValore(QStringLiteral("allegati9"), QStringLiteral("MIN(data)"), {}));
    QDateTime prev(QDate(first9.date().year() - 1, first9.date().month(), 1).startOfDay());

    bool discrepanza = n9 != nd;
    int contatore = 0;
    allegati.primo();
    giorni.primo();
    while (!allegati.fine() && !giorni.fine() && !discrepanza) {
        const QDateTime d9 = dataOra(allegati.valore(QStringLiteral("data")));
        if (prev.date().year() != d9.date().year())
            contatore = 1;
        const QDateTime dd = dataOra(giorni.valore(QStringLiteral("data")));
        if (d9 != dd || allegati.valore(QStringLiteral("numero")).toInt() != contatore) {
            discrepanza = true;
            break;
        }
        ++contatore;
        prev = d9;
        allegati.successivo();
        giorni.successivo();
    }
    if (!discrepanza && allegati.fine() && giorni.fine()) {
        utLog(routine, QStringLiteral("Non ci sono discrepanze. Bella!!"));
        return;
    }

    RicreaAllegati9(dati);
    messaggi.informazione(messaggioRinumerazione(prev));
    utLog(routine, QStringLiteral("Rilevate discrepanze, allegati 9 ricreati"));
}

} // namespace

void CheckAll9(TdmDati& dati, Messaggi& messaggi) {
    const QString routine = QStringLiteral("TfrmMain::CheckAll9");
    utLogEnter(routine);
    try {
        verificaAllegati9(routine, dati, messaggi);
    } catch (...) {
        utLogExit(routine);
        throw;
    }
    utLogExit(routine);
}

void RicreaAllegati9(TdmDati& dati) {
    {
        // One transaction for the delete and every insert: the table is never left half
        // built, and the inserts share one sync of the file.
        Transazione transazione(QStringLiteral("allegati9"));
        Querifica(QStringLiteral("DELETE FROM allegati9"));
        DataSet giorni(QStringLiteral("qryGiorniConsegna"));
        Recset(SQL_GIORNI, giorni);
        int contatore = 0;
        int annoPrecedente = 0;
        for (giorni.primo(); !giorni.fine(); giorni.successivo()) {
            const QDate giorno = dataOra(giorni.valore(QStringLiteral("data"))).date();
            const int anno = giorno.year();
            contatore = anno != annoPrecedente ? 1 : contatore + 1;
            annoPrecedente = anno;
            inserisciAllegato9(giorno, anno, contatore);
        }
        transazione.conferma();
    }
    dati.tblAllegati9.rinfresca();
}

void AggiungiAllegato9(const QDate& data) {
    const QString giorno = utDataSql(data);
    if (intero(DbValore(QStringLiteral("allegati9"), QStringLiteral("ID"),
                        QStringLiteral("data=") + giorno)) != 0)
        return;
    const int righe = intero(DbValore(
        QStringLiteral("( scarichi_mast M INNER JOIN scarichi_dett D ON M.ID=D.master_id ) "
                       "INNER JOIN articoli A ON D.articoli_id=A.ID "),
        QStringLiteral("COUNT(*)"),
        QStringLiteral("M.data=") + giorno +
            QStringLiteral(" AND (A.agea=True) AND M.causali_id=1 ")));
    if (righe == 0)
        return;
    const int anno = data.year();
    const int numero = intero(DbValore(QStringLiteral("allegati9"), QStringLiteral("MAX(numero)"),
                                       QStringLiteral("anno=") + QString::number(anno))) +
                       1;
    inserisciAllegato9(data, anno, numero);
}

void CompletaNrBeneficiati() {
    if (intero(DbValore(QStringLiteral("scarichi_mast"), QStringLiteral("COUNT(*)"),
                        QStringLiteral("ISNULL(nrBeneficiati)"))) == 0)
        return;
    // One transaction: a database holding many incomplete distributions is completed with
    // one sync of the file, and completely or not at all.
    Transazione transazione(QStringLiteral("nrBeneficiati"));
    // Only the missing counts: the counts typed by hand for the other reasons stay.
    Querifica(QStringLiteral(
        "UPDATE scarichi_mast SET nrBeneficiati=0 WHERE causali_id<>1 AND ISNULL(nrBeneficiati)"));
    DataSet q(QStringLiteral("qryNrBeneficiati"));
    Recset(
        QStringLiteral("SELECT ID, nominativi_id FROM scarichi_mast WHERE ISNULL(nrBeneficiati)"),
        q);
    for (q.primo(); !q.fine(); q.successivo()) {
        // A distribution without a beneficiary (null, or 0 for "Anonimo") finds no household.
        const int fam = intero(
            DbValore(QStringLiteral("nominativi"), QStringLiteral("numFamiliari"),
                     QStringLiteral("ID=") +
                         QString::number(q.valore(QStringLiteral("nominativi_id")).toInt())));
        Querifica(QStringLiteral("UPDATE scarichi_mast ") + QStringLiteral(" SET nrBeneficiati=") +
                  QString::number(fam) + QStringLiteral(" WHERE ID = ") +
                  QString::number(q.valore(QStringLiteral("ID")).toInt()));
    }
    transazione.conferma();
}
