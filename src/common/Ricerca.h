#pragma once

class DataSet;
class QLineEdit;
class TdmDati;

// The incremental search shared by every search box of beneficiaries, articles and
// suppliers: `box` becomes the data module's active search and `ds` shows the rows whose
// field contains the box's text (every row for an empty text), the first of them current.
// False when the text matches no row.
bool ApplicaRicerca(TdmDati& dati, DataSet& ds, QLineEdit* box);
