#include "RigheArticoli.h"

#include "DataSet.h"
#include "Duplicati.h"
#include "Messaggi.h"
#include "TfrmSelArt.h"

QList<ColonnaGriglia> ColonneRigheArticoli() {
    return {{QStringLiteral("luArticoloDescr"), QStringLiteral("Descrizione"), 240},
            {QStringLiteral("luUm"), QStringLiteral("U.M."), 0, QStringLiteral("confezioni")},
            {QStringLiteral("qta"), QStringLiteral("Quantità"), 0}};
}

void AggiungiRigaArticolo(Messaggi& messaggi, TfrmSelArt& selArt, DataSet& righe,
                          const TabellaRighe& tabella, int documento, bool subito,
                          const std::function<void()>& completa) {
    if (documento == 0 || messaggi.esegui(selArt) == QDialog::Rejected)
        return;
    const bool registrato =
        EseguiOperazione(messaggi, QStringLiteral("aggiungere l'articolo"), [&] {
            righe.aggiungi();
            righe.imposta(tabella.campoMaster, documento);
            righe.imposta(QStringLiteral("articoli_id"), selArt.articoloScelto());
            righe.imposta(QStringLiteral("qta"), selArt.quantitaScelta());
            righe.registra();
            // No Conferma follows a line added in browse mode: its document is merged and
            // completed now.
            if (subito) {
                CheckArticoliDuplicatiUnaTabella(tabella.tabella, tabella.campoMaster, documento);
                if (completa)
                    completa();
            }
            righe.rinfresca();
        });
    if (!registrato)
        righe.annulla();
}

void EliminaRigaArticolo(Messaggi& messaggi, DataSet& righe, const TabellaRighe& tabella,
                         const std::function<void()>& completa) {
    if (righe.vuoto())
        return;
    const QString domanda = QStringLiteral("Eliminare l'articolo ") +
                            righe.testo(QStringLiteral("luArticoloDescr")) +
                            QStringLiteral(" dal presente %1?").arg(tabella.documento);
    if (!messaggi.domandaSiNo(domanda))
        return;
    EseguiOperazione(messaggi, QStringLiteral("eliminare l'articolo"), [&] {
        righe.elimina();
        if (completa)
            completa();
        righe.rinfresca();
    });
}
