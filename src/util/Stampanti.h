#pragma once

// The printers the program can print to: the installed ones (Qt, CUPS) and one printer of
// our own, "PDF", which writes every print job as a PDF file into the folder "Stampe" of
// the program folder, named after the job's title and the time, never overwriting an
// earlier one. Where no printer is installed, "PDF" is the default printer.

#include <QString>
#include <QStringList>

class QPrinter;

// "PDF".
QString utNomeStampantePdf();
// The installed printers in the system's order, then "PDF".
QStringList utStampantiDisponibili();
// The system's default printer, or "PDF" when none is installed.
QString utStampantePredefinita();
// The printer meant by a registry value "Printer": "-1" or an empty text gives the default
// printer; a name equal (case-sensitive) to an available printer gives that printer;
// any other name gives `altrimenti`.
QString utRisolviStampante(const QString& valore, const QString& altrimenti);
// The printer every print of the program goes to, for the whole run: the default printer
// until utImpostaStampanteCorrente() chooses another.
QString utStampanteCorrente();
void utImpostaStampanteCorrente(const QString& nome);
// Points `printer` at the named printer for a job with the given title. For "PDF" the
// output file is cartellaProgramma/Stampe/<title> <yyyy-MM-dd HH.mm.ss>[ (n)].pdf, created
// empty at once so that no other job can take its name (the folder is created when
// missing; characters that separate folders in the title become "-"). False when the
// folder or the file cannot be created.
bool utPreparaStampante(QPrinter& printer, const QString& nome, const QString& titolo,
                        const QString& cartellaProgramma);
