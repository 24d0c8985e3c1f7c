#include "Ricerca.h"

#include "Datamodule.h"

#include <QLineEdit>

bool ApplicaRicerca(TdmDati& dati, DataSet& ds, QLineEdit* box) {
    dati.cercaAttivo = box;
    ds.setFiltrato(false);
    if (box->text().isEmpty())
        return true;
    ds.setFiltrato(true);
    ds.primo();
    return !ds.vuoto();
}
