#pragma once

// The Annex 9 delivery declarations: one numbered declaration per delivery day in table
// allegati9, numbered from 1 within each calendar year in date order.

#include <QDate>

class Messaggi;
class TdmDati;

// Verifies the numbering against the delivery days; empties, fills or rebuilds allegati9
// as needed. A rebuild of a table that did not match is announced to the user.
// Throws ErroreDb.
void CheckAll9(TdmDati& dati, Messaggi& messaggi);
// Deletes every declaration and numbers the delivery days anew, in one transaction: on a
// failure the table stays as it was. Refreshes dati.tblAllegati9. Throws ErroreDb.
void RicreaAllegati9(TdmDati& dati);
// Adds the declaration of `data` when the day is a delivery day and has none: the next
// free number of its year. Throws ErroreDb.
void AggiungiAllegato9(const QDate& data);
// Fills the distributions whose number of recipients is missing: 0 for a reason other
// than 1, the beneficiary's household size for reason 1. Throws ErroreDb.
void CompletaNrBeneficiati();
