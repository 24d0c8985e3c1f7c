// The benchmark of the program's hot paths on a realistic food bank database of five
// years (bench/genera.sql): the start-up repairs one by one, one receipt and one
// distribution confirmed through the real tabs (merge and Annex 9 included), the month
// filter of "Scarichi" and the beneficiary search per keystroke. Each figure is the median
// and the worst of several runs, in milliseconds, printed with its target.

#include "Allegati9.h"
#include "AzioniDialoghi.h"
#include "ChiusuraAnnuale.h"
#include "CopiaDatabase.h"
#include "Duplicati.h"
#include "GruppoBackup.h"
#include "PaginaRegistro.h"
#include "PaginaUtilita.h"
#include "ReportHost.h"
#include "TfrmRegagea.h"
#include "Utilitylibrary.h"
#include "Viste.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

// The statements of the generator, comments left out.
QStringList istruzioni(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        qFatal("Impossibile leggere %s", qPrintable(file));
    QString testo;
    for (const QString& riga : QString::fromUtf8(f.readAll()).split('\n')) {
        if (!riga.trimmed().startsWith(QLatin1String("--")))
            testo += riga + '\n';
    }
    QStringList elenco;
    for (const QString& istruzione : testo.split(QRegularExpression(";\\s*\\n"))) {
        if (!istruzione.trimmed().isEmpty())
            elenco << istruzione.trimmed();
    }
    return elenco;
}

double millisecondi(const std::function<void()>& passo) {
    QElapsedTimer t;
    t.start();
    passo();
    return double(t.nsecsElapsed()) / 1e6;
}

// Runs `passo` `volte` times (after `prepara`, not timed) and prints median and worst.
void misura(const char* nome, int volte, double obiettivo, const std::function<void()>& passo,
            const std::function<void()>& prepara = {}) {
    QList<double> tempi;
    for (int i = 0; i < volte; ++i) {
        if (prepara)
            prepara();
        tempi << millisecondi(passo);
    }
    std::sort(tempi.begin(), tempi.end());
    const double mediana = tempi.at(tempi.size() / 2);
    std::printf("%-48s mediana %8.1f ms  peggiore %8.1f ms", nome, mediana, tempi.last());
    if (obiettivo > 0)
        std::printf("  (obiettivo < %.0f ms)%s", obiettivo,
                    tempi.last() < obiettivo ? "" : "  SUPERATO");
    std::printf("\n");
    std::fflush(stdout);
}

// The generator's statements for ten years (2016 to 2025) instead of five: the first day
// moved back five years, the distributions and the receipts doubled.
QStringList dieciAnni(QStringList genera) {
    const QList<std::pair<QString, QString>> sostituzioni = {
        {"date('2021-01-01')", "date('2016-01-01')"},
        {"id <= 60000", "id <= 120000"},
        {"i < 5000", "i < 10000"}};
    for (const auto& [da, a] : sostituzioni) {
        if (genera.filter(da).size() != 1)
            qFatal("genera.sql: '%s' non trovato una volta sola", qPrintable(da));
        genera.replaceInStrings(da, a);
    }
    return genera;
}

// A line of /proc/self/status ("VmRSS", "VmHWM") in KiB.
qint64 kibStato(const char* voce) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    const QByteArray prefisso = QByteArray(voce) + ':';
    for (const QByteArray& riga : f.readAll().split('\n')) {
        if (riga.startsWith(prefisso))
            return riga.mid(prefisso.size()).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// One start of the program, in a process of its own (dolvera-bench --avvio <database>): a
// new program folder given a copy of the database, then from the main window created to
// its first show done. Prints the milliseconds, the peak RSS and its growth during the
// start, in KiB. With `conserva` the database as the start left it is copied back: the
// first start repairs a generated database (the declarations numbered), later ones find
// it in order, as every start but the first. With `tutti` the receipts and distributions are
// read whole during the start, as the program did before it read only the month shown.
int avvio(const QString& database, bool conserva, bool tutti) {
    CartellaProgramma cartella;
    QFile::remove(cartella.fileDb());
    if (!QFile::copy(database, cartella.fileDb()))
        qFatal("Impossibile copiare %s", qPrintable(database));
    MessaggiPreparati messaggi;
    const qint64 prima = kibStato("VmRSS");
    QElapsedTimer t;
    t.start();
    auto main = std::make_unique<TfrmMain>(cartella.percorso(), messaggi);
    auto dati = std::make_unique<TdmDati>(main->percorsi(), messaggi);
    if (tutti) {
        for (DataSet* elenco : {&dati->tblCarichi_mast, &dati->tblScarichi_mast}) {
            elenco->setCondizione(QString());
            elenco->rinfresca();
        }
    }
    main->ImpostaDati(*dati);
    main->show();
    QApplication::setActiveWindow(main.get());
    const bool attiva = QTest::qWaitForWindowActive(main.get());
    const double ms = double(t.nsecsElapsed()) / 1e6;
    const qint64 picco = kibStato("VmHWM");
    std::printf("%.1f %lld %lld\n", ms, picco, picco - prima);
    main.reset();
    dati.reset();
    if (conserva && (!QFile::remove(database) || !QFile::copy(cartella.fileDb(), database)))
        return 1;
    return attiva ? 0 : 1;
}

// The start on `database`, `volte` times, each in a new process: median time, median peak
// RSS and median growth of the RSS during the start; `tutti` as for avvio().
void misuraAvvio(const char* nome, const QString& database, int volte, bool tutti = false) {
    QProcess primo;
    primo.start(QCoreApplication::applicationFilePath(), {"--avvio", database, "--conserva"});
    primo.waitForFinished(-1);
    if (primo.exitCode() != 0)
        qFatal("Primo avvio non riuscito: %s", primo.readAllStandardError().constData());
    QList<double> tempi;
    QList<qint64> picchi, crescite;
    for (int i = 0; i < volte; ++i) {
        QProcess figlio;
        figlio.start(QCoreApplication::applicationFilePath(),
                     {"--avvio", database, tutti ? "--tutti" : "--mese"});
        figlio.waitForFinished(-1);
        const QList<QByteArray> campi = figlio.readAllStandardOutput().trimmed().split(' ');
        if (figlio.exitCode() != 0 || campi.size() != 3)
            qFatal("Avvio non riuscito: %s", figlio.readAllStandardError().constData());
        tempi << campi[0].toDouble();
        picchi << campi[1].toLongLong();
        crescite << campi[2].toLongLong();
    }
    std::sort(tempi.begin(), tempi.end());
    std::sort(picchi.begin(), picchi.end());
    std::sort(crescite.begin(), crescite.end());
    std::printf("%-48s mediana %8.1f ms  picco RSS %6.1f MiB  (+%.1f MiB all'avvio)\n", nome,
                tempi.at(volte / 2), double(picchi.at(volte / 2)) / 1024,
                double(crescite.at(volte / 2)) / 1024);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" DOLVERA_SCHERMO);
    QApplication app(argc, argv);
    if (argc >= 3 && qstrcmp(argv[1], "--avvio") == 0)
        return avvio(QString::fromLocal8Bit(argv[2]),
                     argc == 4 && qstrcmp(argv[3], "--conserva") == 0,
                     argc == 4 && qstrcmp(argv[3], "--tutti") == 0);

    const QStringList genera = istruzioni(QStringLiteral(DOLVERA_GENERA));
    std::unique_ptr<ProgrammaProva> programma;
    misura("Generazione e primo avvio", 1, 0,
           [&] { programma = std::make_unique<ProgrammaProva>(genera); });
    ProgrammaProva& p = *programma;
    std::printf("Scarichi %s, righe %s, dichiarazioni %s\n",
                qPrintable(p.valore("SELECT COUNT(*) FROM scarichi_mast").toString()),
                qPrintable(p.valore("SELECT COUNT(*) FROM scarichi_dett").toString()),
                qPrintable(p.valore("SELECT COUNT(*) FROM allegati9").toString()));

    // The start on an already generated database of five and of ten years, each in a
    // process of its own so that its peak RSS is the start's own. --solo-avvio stops here.
    {
        QTemporaryDir basi;
        const QString cinque = basi.filePath("cinque.mdb");
        const QString dieci = basi.filePath("dieci.mdb");
        QFile::copy(p.cartella().fileDb(), cinque);
        QFile::copy(CartellaProgramma::modello(), dieci);
        QFile(dieci).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "bench_dieci");
            db.setDatabaseName(dieci);
            db.open();
            for (const QString& istruzione : dieciAnni(genera)) {
                QSqlQuery q(db);
                if (!q.exec(istruzione))
                    qFatal("%s", qPrintable(q.lastError().text()));
            }
            db.close();
        }
        QSqlDatabase::removeDatabase("bench_dieci");
        misuraAvvio("Avvio, cinque anni", cinque, 5);
        misuraAvvio("Avvio, dieci anni", dieci, 5);
        misuraAvvio("Avvio, cinque anni, elenchi letti interi", cinque, 5, true);
        misuraAvvio("Avvio, dieci anni, elenchi letti interi", dieci, 5, true);
        if (app.arguments().contains("--solo-avvio"))
            return 0;
    }

    // The start-up repairs, on a database already in order (every start but the first).
    misura("CheckAll9", 5, 0, [&] { CheckAll9(p.dati(), p.messaggi()); });
    misura("CompletaNrBeneficiati", 5, 0, [] { CompletaNrBeneficiati(); });
    misura("CheckArticoliDuplicati", 5, 0, [] { CheckArticoliDuplicati(); });
    misura("Riparazioni all'avvio, insieme", 5, 1000, [&] {
        CheckAll9(p.dati(), p.messaggi());
        CompletaNrBeneficiati();
        CheckArticoliDuplicati();
    });
    // The first start after an upgrade: every declaration numbered anew, silently.
    misura(
        "CheckAll9 con allegati9 vuota", 3, 0, [&] { CheckAll9(p.dati(), p.messaggi()); },
        [&] { p.esegui("DELETE FROM allegati9"); });

    // One receipt: new, two lines of one article, Conferma (the merge included).
    p.vaiScheda("tsCarichi");
    misura(
        "Conferma di un carico", 5, 100, [&] { p.clicca("btnCarConferma"); },
        [&] {
            azioni::nuovoCarico(p, "Fornitore 07 s.r.l.", QDate::currentDate(), "BENCH");
            p.clicca("btnCarNuovo");
            for (int i = 0; i < 2; ++i) {
                azioni::articolo(p, "AGEA PRODOTTO 05", "3");
                p.clicca("btnCar_AggiungiArticolo");
            }
        });

    // One distribution: new, reason 1 for a beneficiary, two lines of one AGEA article,
    // Conferma (merge, the day's declaration and the numbering check included).
    p.vaiScheda("tsScarichi");
    misura(
        "Conferma di uno scarico", 5, 100, [&] { p.clicca("btnScaConferma"); },
        [&] {
            azioni::causale(p, "Consegna a indigenti");
            azioni::nominativo(p, "ROSSI 3");
            p.clicca("btnScaNuovo");
            for (int i = 0; i < 2; ++i) {
                azioni::articolo(p, "AGEA PRODOTTO 05", "2");
                p.clicca("btnScar_AggiungiArticolo");
            }
        });

    // The month filter of "Scarichi": about a thousand distributions a month.
    auto* mesi = p.trova<QComboBox>("cbxScaMese");
    int mese = 0;
    misura(
        "Filtro del mese su Scarichi", 12, 0, [&] { mesi->setCurrentIndex(mese); },
        [&] { mese = (mese + 7) % mesi->count(); });
    std::printf("  (%s: %d scarichi nell'elenco)\n", qPrintable(mesi->currentText()),
                p.dati().tblScarichi_mast.conteggio());
    misura(
        "Scheda Scarichi mostrata", 5, 0, [&] { p.vaiScheda("tsScarichi"); },
        [&] { p.vaiScheda("tsMenu"); });

    // The beneficiary search, one keystroke at a time.
    p.vaiScheda("tsNominativi");
    auto* cerca = p.trova<QLineEdit>("edtNomCerca");
    const QString testo = QStringLiteral("MARTINELLI 2");
    int lettera = 0;
    misura(
        "Ricerca di un nominativo, per tasto", int(testo.size()), 30,
        [&] { QTest::keyClick(cerca, testo.at(lettera++).toLatin1()); },
        [&] { cerca->setFocus(); });

    // The distributions' list read whole, as the start-up did before it read only the month
    // shown.
    DataSet& scarichi = p.dati().tblScarichi_mast;
    misura(
        "Lettura di tutti gli scarichi", 3, 0, [&] { scarichi.rinfresca(); },
        [&] { scarichi.setCondizione(QString()); });

    // The AGEA register of the busiest month: its view read bare, the opening stock of one
    // article, a page drawn (a late page: the stock is carried over every earlier row), and
    // the whole month printed to the PDF printer.
    const QString busiest =
        p.valore("SELECT m FROM (SELECT substr(data, 1, 7) AS m FROM scarichi_mast UNION ALL"
                 " SELECT substr(data, 1, 7) FROM carichi_mast) GROUP BY m ORDER BY COUNT(*) DESC "
                 "LIMIT 1")
            .toString();
    const QDate meseRegistro = QDate::fromString(busiest + "-01", Qt::ISODate);
    QComboBox sceltaMese;
    sceltaMese.addItem(utMeseAnno(meseRegistro));
    TfrmRegagea registro(p.dati(), p.messaggi(), p.main().percorsi());
    registro.impostaSceltaMese(&sceltaMese);
    registro.show();
    const int righe = p.dati().qryPivot.conteggio();
    const int pagineMese = righe / DisegnoRegagea::RIGHE_PAGINA + 1;
    std::printf("Registro di %s: %d righe, %d pagine per foglio\n",
                qPrintable(sceltaMese.currentText()), righe, pagineMese);
    misura("SQL: SELECT * FROM qry_pivot (il mese)", 5, 0, [&] {
        QSqlQuery q(QSqlDatabase::database(NOME_CONNESSIONE));
        q.exec("SELECT * FROM qry_pivot");
        while (q.next()) {
        }
    });
    misura("SQL: qry_pivot_giac_alla_data di un articolo", 10, 0,
           [] { DbValore("qry_pivot_giac_alla_data", "giacza", "ID=5"); });
    misura("Cambio del mese del registro (vista e parametri)", 5, 0,
           [&] { registro.ImpostaMesePivot(meseRegistro); });
    misura("MostraPagina, ultima pagina del mese", 10, 20,
           [&] { registro.MostraPagina(pagineMese, QLatin1Char('N')); });
    misura("MostraPagina, prima pagina", 10, 20,
           [&] { registro.MostraPagina(1, QLatin1Char('A')); });
    const int fogliMese = pagineMese * 14;
    p.messaggi().attendi(Messaggi::Tipo::OkAnnulla, {});
    const double stampaMese = millisecondi([&] { registro.StampaRegistroMese(); });
    std::printf("%-48s %8.1f ms, %d fogli: %.1f ms a foglio (obiettivo < 10 ms)\n",
                "Stampa del mese sulla stampante PDF", stampaMese, fogliMese,
                stampaMese / fogliMese);
    registro.hide();

    // The "Registro" tab on the same month: one article's register rebuilt.
    p.vaiScheda("tsRapporti");
    auto* mesiRegistro = p.trova<QComboBox>("cbxRegMese");
    mesiRegistro->setCurrentIndex(mesiRegistro->findText(utMeseAnno(meseRegistro)));
    auto* paginaRegistro = p.trova<PaginaRegistro>("tsRapporti");
    misura("RefreshRegagea (un articolo, il mese)", 5, 50,
           [&] { paginaRegistro->RefreshRegagea(); });
    misura(
        "Scheda Registro mostrata", 5, 0, [&] { p.vaiScheda("tsRapporti"); },
        [&] { p.vaiScheda("tsMenu"); });

    // One delivery template: Modifica, two lines of one article, Conferma (the name stored,
    // the template re-read twice and its duplicate lines merged); then the merge's own SQL
    // on the same template, bare.
    p.vaiScheda("tsModelli");
    p.cliccaRiga("grModCons", 0);
    const int modello = p.dati().tblCons_mast.valore("ID").toInt();
    misura(
        "Conferma di un modello di consegna", 5, 100, [&] { p.clicca("btnModCons_Conferma"); },
        [&] {
            p.clicca("btnModModifica");
            for (int i = 0; i < 2; ++i) {
                azioni::articolo(p, "AGEA PRODOTTO 05", "1");
                p.clicca("btnCons_AggiungiArticolo");
            }
        });
    std::printf("  (%s righe in cons_dett, %d nel modello)\n",
                qPrintable(p.valore("SELECT COUNT(*) FROM cons_dett").toString()),
                p.dati().tblCons_dett.conteggio());
    // The same merge as bare SQL: a duplicate line inserted (not timed), then the group
    // query, the lowest ID, the update and the delete.
    const int articolo = p.valore("SELECT ID FROM articoli WHERE descr LIKE '%AGEA PRODOTTO 05%' "
                                  "ORDER BY descr LIMIT 1")
                             .toInt();
    const QString gruppo = QString("modelli_id=%1 AND articoli_id=%2").arg(modello).arg(articolo);
    misura(
        "SQL: unione dei duplicati del modello", 5, 0,
        [&] {
            QSqlQuery q(QSqlDatabase::database(NOME_CONNESSIONE));
            q.exec(QString("SELECT COUNT(*) AS cnt, modelli_id, articoli_id, SUM(qta) AS tot "
                           "FROM cons_dett WHERE modelli_id=%1 GROUP BY modelli_id, articoli_id "
                           "HAVING COUNT(*)>1")
                       .arg(modello));
            const double tot = q.next() ? q.value(3).toDouble() : 0;
            q.exec("SELECT ID FROM cons_dett WHERE " + gruppo + " ORDER BY ID LIMIT 1");
            const int tieni = q.next() ? q.value(0).toInt() : 0;
            q.exec(QString("UPDATE cons_dett SET qta=%1 WHERE ID=%2").arg(tot).arg(tieni));
            q.exec(QString("DELETE FROM cons_dett WHERE %1 AND ID<>%2").arg(gruppo).arg(tieni));
        },
        [&] {
            p.esegui(QString("INSERT INTO cons_dett (modelli_id, articoli_id, qta) "
                             "VALUES (%1, %2, 1)")
                         .arg(modello)
                         .arg(articolo));
        });

    // The quick distribution of a 12-line template, from the dialog's OK to the new
    // distribution shown in its month (the copies dialog, answered "Annulla", opens on it);
    // then its INSERT ... SELECT alone, bare.
    p.esegui("INSERT INTO cons_mast (descr) VALUES ('Pacco veloce 12')");
    const int modelloVeloce = p.valore("SELECT MAX(ID) FROM cons_mast").toInt();
    p.esegui(QString("INSERT INTO cons_dett (modelli_id, articoli_id, qta) "
                     "SELECT %1, ID, 1 + ID % 3 FROM articoli WHERE ID BETWEEN 50 AND 61")
                 .arg(modelloVeloce));
    p.vaiScheda("tsScarichi");
    QList<double> tempiVeloce;
    QElapsedTimer daOk;
    for (int i = 0; i < 7; ++i) {
        p.messaggi().attendiDialogo([&](QDialog& d) {
            d.show();
            QTest::keyClicks(d.findChild<QLineEdit*>("edtQuickNomCerca"), "ROSSI 3");
            p.dati().tblCons_mast.localizza("descr", "Pacco veloce 12");
            daOk.start();
            return azioni::premi(d, "Ok");
        });
        p.messaggi().attendiDialogo([&](QDialog& d) {
            tempiVeloce << double(daOk.nsecsElapsed()) / 1e6;
            d.show();
            return azioni::premi(d, "Annulla");
        });
        p.clicca("btnQuickSca");
    }
    std::sort(tempiVeloce.begin(), tempiVeloce.end());
    std::printf("%-48s mediana %8.1f ms  peggiore %8.1f ms  (obiettivo < 100 ms)%s\n",
                "Scarico veloce, da OK alla scheda", tempiVeloce.at(tempiVeloce.size() / 2),
                tempiVeloce.last(), tempiVeloce.last() < 100 ? "" : "  SUPERATO");
    std::printf("  (%s righe nell'ultimo scarico)\n",
                qPrintable(p.valore("SELECT COUNT(*) FROM scarichi_dett WHERE master_id = "
                                    "(SELECT MAX(ID) FROM scarichi_mast)")
                               .toString()));
    misura(
        "SQL: INSERT ... SELECT delle 12 righe", 7, 0,
        [&] {
            QSqlQuery q(QSqlDatabase::database(NOME_CONNESSIONE));
            q.exec(QString("INSERT INTO scarichi_dett (master_id, articoli_id, qta) SELECT -1, "
                           "articoli_id, qta FROM cons_dett WHERE modelli_id=%1")
                       .arg(modelloVeloce));
        },
        [&] { p.esegui("DELETE FROM scarichi_dett WHERE master_id = -1"); });
    p.esegui("DELETE FROM scarichi_dett WHERE master_id = -1");

    // Backup and restore on the five-year database: the bare copy of the database file,
    // then "Esegui backup" into the same other folder (the open database through the online
    // backup, every file under a temporary name renamed over the previous copy), the
    // automatic copy of a new day, the check of a backup file, and "Ripristina backup" up to
    // the restart message. The restore closes the connection and ends the program through
    // the main window, which here only marks it ended: the connection is opened again on the
    // restored file, which holds the same data.
    {
        QTemporaryDir altra;
        const QString dest = altra.path() + '/';
        const Percorsi percorsi = p.main().percorsi();
        std::printf("Dolvera.mdb: %.1f MB\n", double(QFileInfo(percorsi.FileDb).size()) / 1e6);
        misura(
            "Copia semplice di Dolvera.mdb (QFile::copy)", 5, 0,
            [&] { QFile::copy(percorsi.FileDb, dest + "semplice.mdb"); },
            [&] { QFile::remove(dest + "semplice.mdb"); });
        QFile::remove(dest + "semplice.mdb");
        p.vaiScheda("tsUtilita");
        const auto scegli = [&](const QString& cartella) {
            p.messaggi().attendiDialogo([=](QDialog& d) {
                d.show();
                d.findChild<QLineEdit*>("edtCartella")->setText(cartella);
                return azioni::premi(d, "Ok");
            });
        };
        misura(
            "Esegui backup, su una copia precedente", 5, 0, [&] { p.clicca("btnEseguiBackup"); },
            [&] {
                scegli(dest);
                p.messaggi().attendi(Messaggi::Tipo::Informazione, "Backup effettuato");
            });
        auto* gruppoBackup = p.trova<GruppoBackup>("gbBackup");
        QDate giorno = QDate::currentDate();
        misura(
            "Copia automatica di un nuovo giorno", 5, 300,
            [&] { gruppoBackup->CopiaAutomatica(giorno); }, [&] { giorno = giorno.addDays(1); });
        misura("VerificaDatabase di Dolvera.mdb del backup", 3, 0,
               [&] { VerificaDatabase(dest + "Dolvera.mdb", true); });
        misura(
            "Ripristina backup, fino al messaggio di riavvio", 3, 0,
            [&] { p.clicca("btnRipristinaBackup"); },
            [&] {
                ApriConnessione(percorsi.FileDb);
                scegli(dest);
                p.messaggi().attendi(Messaggi::Tipo::SiNo, {});
                p.messaggi().attendi(Messaggi::Tipo::Informazione, {});
            });
        ApriConnessione(percorsi.FileDb);
        std::printf("  (%s articoli dopo il ripristino)\n",
                    qPrintable(p.valore("SELECT COUNT(*) FROM articoli").toString()));
    }

    // The year closing of the oldest year, 2021. The "Utilità" tab's display looks for the
    // year to close at every show. The closing runs on a copy of the database in a folder of
    // its own, on which the program's connection is opened first (the closing closes it, and
    // it then returns to Dolvera.mdb): the consistent copy of the open database that each
    // side starts from, the SQL of each side bare on a plain copy (the stocks of 1 January
    // read, the deletions of the year or of the other years), the file check, and the whole
    // closing up to the new working file.
    {
        p.trova<PaginaUtilita>("tsUtilita")->Mostra();
        misura("Scheda Utilità: anno da chiudere e archivi", 5, 100,
               [&] { p.trova<PaginaUtilita>("tsUtilita")->Mostra(); });
        QTemporaryDir cartella;
        const Percorsi originale = p.main().percorsi();
        const Percorsi copia = Percorsi::daCartella(cartella.path());
        misura("Copia in linea di Dolvera.mdb (CopiaDatabaseAperto)", 3, 0,
               [&] { CopiaDatabaseAperto(copia.PathDb + "copia.mdb"); });
        // One statement or a group of them, bare, in one transaction on a new plain copy.
        const auto sqlNudo = [&](const char* nome, const QString& parametro,
                                 const QStringList& istruzioni) {
            const auto prepara = [&] {
                QFile::remove(copia.FileDb);
                QFile::copy(originale.FileDb, copia.FileDb);
                QSqlQuery q(ApriConnessione(copia.FileDb, "bench_chiusura"));
                q.exec("UPDATE parametri SET Pivot_giac_data = '" + parametro + "'");
            };
            misura(
                nome, 1, 0,
                [&] {
                    QSqlDatabase db = QSqlDatabase::database("bench_chiusura");
                    db.transaction();
                    QSqlQuery q(db);
                    for (const QString& sql : istruzioni) {
                        EseguiSql(q, sql);
                        while (q.next()) {
                        }
                    }
                    db.commit();
                },
                prepara);
            ChiudiConnessione("bench_chiusura");
        };
        sqlNudo("SQL: qry_pivot_giac_alla_data al 1/1/2022", "2022-01-01",
                {"SELECT * FROM qry_pivot_giac_alla_data"});
        sqlNudo("SQL: DELETE dei documenti <> 2021 (archivio)", "2021-01-01",
                {"DELETE FROM scarichi_mast WHERE YEAR(data) <> 2021",
                 "DELETE FROM carichi_mast WHERE YEAR(data) <> 2021",
                 "DELETE FROM allegati9 WHERE YEAR(data) <> 2021"});
        sqlNudo("SQL: DELETE dei documenti = 2021 (lavoro)", "2022-01-01",
                {"DELETE FROM scarichi_mast WHERE YEAR(data) = 2021",
                 "DELETE FROM carichi_mast WHERE YEAR(data) = 2021",
                 "DELETE FROM allegati9 WHERE YEAR(data) = 2021"});
        misura("VerificaDatabase di una copia", 1, 0,
               [&] { VerificaDatabase(copia.FileDb, true); });
        QString motivo;
        misura(
            "Chiusura annuale del 2021, intera", 1, 5000,
            [&] { ChiusuraAnnuale(copia, 2021).esegui(&motivo); },
            [&] {
                QFile::remove(copia.FileDb);
                QFile::copy(originale.FileDb, copia.FileDb);
                ApriConnessione(copia.FileDb);
            });
        std::printf("  (%s; archivio %.1f MB, nuovo Dolvera.mdb %.1f MB)\n",
                    motivo.isEmpty() ? "riuscita" : qPrintable(motivo),
                    double(QFileInfo(copia.PathDb + ChiusuraAnnuale::nomeArchivio(2021)).size()) /
                        1e6,
                    double(QFileInfo(copia.FileDb).size()) / 1e6);
        ApriConnessione(originale.FileDb);
    }

    if (!p.problemi().isEmpty())
        std::printf("Finestre inattese:\n%s\n", qPrintable(p.problemi().join('\n')));
    return 0;
}
