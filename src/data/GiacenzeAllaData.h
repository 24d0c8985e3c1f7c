#pragma once

// The stock of every article at the end of a chosen day, as the stored query
// qry_pivot_giac_alla_data computes it: the program's "Giacenze" print and CSV export and
// the report host's report read the same rows.

#include <QDate>
#include <QString>

// The value of parametri.Pivot_giac_data for the stock at the end of `giorno`: the query
// gives the stock at the start of its day, so the day after is written (short-date text),
// and the movements of `giorno` itself are counted.
QString ParametroGiacenzeAllaData(const QDate& giorno);

// One row per article, below-minimum articles first, then by description: ID, codint, descr,
// um (unit description), giacza (stock), scortamin (minimum stock, 0 when unset), sotto (1
// for stock below the minimum, null otherwise). Plain SQLite SQL, no placeholders.
QString SqlGiacenzeAllaData();
