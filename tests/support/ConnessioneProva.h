#pragma once

// A temporary program folder with the program's own connection open on its working
// database and the event log written into it, for the tests of the data-access routines,
// the display helpers, the report printing and the repairs. Header only: the test support
// library stays free of the data library, which the tests that include this link anyway.

#include "CartellaProgramma.h"
#include "Connessione.h"
#include "Utilitylibrary.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

class ConnessioneProva {
public:
    ConnessioneProva() {
        utLogAzzera();
        utLogImpostaFile(m_cartella.fileLog());
        ApriConnessione(m_cartella.fileDb());
    }
    ~ConnessioneProva() { ChiudiConnessione(); }
    ConnessioneProva(const ConnessioneProva&) = delete;
    ConnessioneProva& operator=(const ConnessioneProva&) = delete;

    const CartellaProgramma& cartella() const { return m_cartella; }

    // Runs a statement on the program's connection; the test fails when it fails.
    static void esegui(const QString& sql) {
        QSqlQuery q(QSqlDatabase::database(QLatin1String(NOME_CONNESSIONE)));
        QVERIFY2(q.exec(sql), qPrintable(q.lastError().text() + ": " + sql));
    }

private:
    CartellaProgramma m_cartella;
};
