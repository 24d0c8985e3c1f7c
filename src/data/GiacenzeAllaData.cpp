#include "GiacenzeAllaData.h"

#include "Formati.h"

QString ParametroGiacenzeAllaData(const QDate& giorno) {
    return utTestoData(giorno.addDays(1));
}

QString SqlGiacenzeAllaData() {
    // Sums of quantities in double precision carry noise (0,1 + 0,2): the stock is rounded
    // well below any unit a food bank counts in, so that 2 is not "below 2".
    return QStringLiteral(
        "SELECT ID, codint, descr, um, giacza, scortamin,"
        " CASE WHEN giacza < scortamin THEN 1 END AS sotto FROM ("
        "  SELECT A.ID AS ID, A.codint AS codint, A.descr AS descr, U.descr AS um,"
        "   ROUND(G.giacza, 6) AS giacza, IFNULL(A.scortamin, 0) AS scortamin"
        "  FROM qry_pivot_giac_alla_data G JOIN articoli A ON A.ID = G.ID"
        "  LEFT JOIN lstUm U ON U.ID = A.um_id)"
        " ORDER BY sotto IS NULL, descr COLLATE NOCASE, ID");
}
