#pragma once

// The "Utilità" tab: the maintenance of the program. Its "Stampante" group chooses the
// printer every print of the program goes to; its "Struttura caritativa" group edits the
// organisation's name and address that the register and the declarations print. Its
// "Chiusura annuale" group, hidden, moves a past year into an archive database. Its
// "Backup" group copies the database files to another folder and back.

#include "PaginaScheda.h"
#include "Percorsi.h"

#include <functional>

class GruppoChiusura;
class GruppoBackup;
class GruppoStrutturaCaritativa;
class Messaggi;
class QGroupBox;
class QLabel;
class TdmDati;
struct StatoMain;

class PaginaUtilita : public PaginaScheda {
    Q_OBJECT

public:
    // The page is named "tsUtilita".
    PaginaUtilita(Messaggi& messaggi, StatoMain& stato, QWidget* parent = nullptr);
    ~PaginaUtilita() override;

    // Binds the organisation's group to the data module.
    void collegaDati(TdmDati& dati);

    // The program folder, known once the installation checks have passed.
    void impostaPercorsi(const Percorsi& percorsi);
    // How the program ends after an operation that replaced its database files: the main
    // window closes and the process exits.
    void impostaTermina(std::function<void()> termina);

    void Mostra() override;
    void Nascondi() override {}
    // "Imposta stampante": chooses the printer and stores it in the registry.
    void btnImpostaStampanteClick();
    // At start-up: makes the printer stored in the registry the current one.
    void RipristinaStampante();
    // At start-up, after the repairs: the daily automatic copy of the database.
    void CopiaAutomatica();

private:
    QGroupBox* CreaGruppoStampante();
    // lblPrinter shows the current printer.
    void MostraStampante();

    Messaggi& m_messaggi;
    Percorsi m_percorsi;
    std::function<void()> m_termina;
    QLabel* lblPrinter = nullptr;
    GruppoStrutturaCaritativa* m_strutturaCaritativa = nullptr;
    GruppoBackup* m_backup = nullptr;
    GruppoChiusura* m_chiusura = nullptr;
};
