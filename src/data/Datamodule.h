#pragma once

// The data module: the database connection "SolvaneMdb" and every data set of the program,
// opened once at start-up after the upgrade of the database file.

#include "AccessoDati.h"
#include "Avvisi.h"
#include "Connessione.h"
#include "DataSet.h"
#include "ErroreDb.h"
#include "Percorsi.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class TdmDati : public QObject {
    Q_OBJECT

public:
    // Connects to percorsi.FileDb, upgrades it from the template when one is present and
    // opens every data set. After a failed upgrade pronto() is false and the program ends.
    TdmDati(const Percorsi& percorsi, Avvisi& avvisi, QObject* parent = nullptr);
    ~TdmDati() override;

    bool pronto() const { return m_pronto; }
    // The database file is read-only: the program reads it, and no change can be stored.
    bool solaLettura() const { return ConnessioneSolaLettura(); }
    // The schema version read at start-up: 0 without table info, -1 after an error.
    int versioneDb() const { return m_versioneDb; }

    // 0 when no upgrade was needed or it succeeded, -1 when it failed.
    int UpdateDb();
    // Copies the rows of `tbl` into the template attached as "Dolvera0"; 0 or -1.
    int EsportaTabella0(const QString& tbl);
    // "[ID], [codint], [descr], ..." in the table's column order.
    QString ElencoCampi(const QString& tbl);
    // The schema version: 0 without table info, -1 after an error it has reported.
    int LeggiVersioneDb();
    // Re-reads the data sets behind a tab ("Articoli", "Nominativi", "Fornitori", "Modelli",
    // "Carichi", "Scarichi", "ArtAgea", "Allegati9"); any other name is reported as
    // "ERRORE #9: Parametro errato.".
    void Rinfresca(const QString& cosa);

    // The incremental search of the articles, beneficiaries and suppliers: the search box
    // whose text changed last. Its objectName chooses the field compared and its "text"
    // property is the text searched.
    QPointer<QObject> cercaAttivo;
    // The record filter of tblArticoli, tblNominativi and tblFornitori: true when the
    // upper-cased search text occurs anywhere in the upper-cased field of row `riga`.
    bool AnagCerca_OnFilterRecord(const DataSet& ds, int riga) const;

    // The nine tables an upgrade carries over, in the order they are copied.
    static const QStringList& tabelleEsportate();

    DataSet tblArticoli{QStringLiteral("tblArticoli")};
    DataSet tblLstCatmerc{QStringLiteral("tblLstCatmerc")};
    DataSet tblLstUm{QStringLiteral("tblLstUm")};
    DataSet tblLstCausali{QStringLiteral("tblLstCausali")};
    DataSet tblNominativi{QStringLiteral("tblNominativi")};
    DataSet tblFornitori{QStringLiteral("tblFornitori")};
    DataSet tblDatiAzienda{QStringLiteral("tblDatiAzienda")};
    DataSet tblCarichi_mast{QStringLiteral("tblCarichi_mast")};
    DataSet tblCarichi_dett{QStringLiteral("tblCarichi_dett")};
    DataSet qrySelArt{QStringLiteral("qrySelArt")};
    DataSet tblCons_mast{QStringLiteral("tblCons_mast")};
    DataSet tblCons_dett{QStringLiteral("tblCons_dett")};
    DataSet tblScarichi_mast{QStringLiteral("tblScarichi_mast")};
    DataSet tblScarichi_dett{QStringLiteral("tblScarichi_dett")};
    DataSet qrySottoScorta{QStringLiteral("qrySottoScorta")};
    DataSet tblParametri{QStringLiteral("tblParametri")};
    DataSet tblArtAgea{QStringLiteral("tblArtAgea")};
    DataSet tblAll9_dett{QStringLiteral("tblAll9_dett")};
    DataSet tblAllegati9{QStringLiteral("tblAllegati9")};
    DataSet tblAll9_dest{QStringLiteral("tblAll9_dest")};
    // Declared for the report host's needs and opened by no routine of the program.
    DataSet tblRegUnArt{QStringLiteral("tblRegUnArt")};
    DataSet tblPivot_carichi{QStringLiteral("tblPivot_carichi")};
    DataSet tblPivot_scarichi{QStringLiteral("tblPivot_scarichi")};
    DataSet qryRegagea{QStringLiteral("qryRegagea")};
    // Opened when the register is shown; qry_pivot is recreated before it is read.
    DataSet tblPivotGiacAllaData{QStringLiteral("tblPivotGiacAllaData")};
    DataSet qryPivot{QStringLiteral("qryPivot")};
    DataSet qryPivotUnArt{QStringLiteral("qryPivotUnArt")};
    DataSet qryGenerica{QStringLiteral("qryGenerica")};

private:
    // Every data set: first the twenty opened at start-up, in their order.
    QList<DataSet*> tuttiDataSet();
    void definisciDataSet();
    void apriDataSet();
    // The upgrade in two halves: the rows copied into a copy of the template, then the
    // files exchanged by renames that a later start recognises and completes.
    bool riempiCopiaModello();
    void scambiaFile();

    Percorsi m_percorsi;
    Avvisi& m_avvisi;
    bool m_pronto = false;
    int m_versioneDb = 0;
};
