#pragma once

// A plain connection named `nome` on a program folder holding a working copy of the
// template: the schema's and the views' tests read and write the database directly.

#include "CartellaProgramma.h"

#include <QSqlDatabase>
#include <QString>

class DatabaseProva {
public:
    explicit DatabaseProva(const QString& nome);
    ~DatabaseProva();

    const CartellaProgramma& cartella() const { return m_cartella; }

private:
    CartellaProgramma m_cartella{CartellaProgramma::Database::Lavoro, false};
    QString m_nome;
};
