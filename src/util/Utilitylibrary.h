#pragma once

// The utility library: the event log and the text, number and date helpers.

#include "Errore.h"
#include "Formati.h"

#include <QDate>
#include <QString>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

// ---------------------------------------------------------------------------------------
// Event log
//
// Every line is appended to the log file, which is opened and closed for each line, so
// the file is complete at any stop. Lines end with CR LF and start with the time stamp
// and ": ". Blocks nest: the indentation is two blanks per level.
// ---------------------------------------------------------------------------------------

// One node of the log tree kept in memory for the main window's log view.
struct NodoLog {
    QString testo;
    NodoLog* padre = nullptr;
    std::vector<std::unique_ptr<NodoLog>> figli;
};

// The log file: by default the running executable's path with the extension ".LOG".
void utLogImpostaFile(const QString& percorso);
QString utLogFile();

// Appends one line (time stamp, ": ", text) and adds one node to the log tree.
// Throws Errore("Errore nell'apertura del file di log.") when the file cannot be opened.
bool utLogWrite(const QString& testo);
// Writes the message at the current indentation and changes the level by `delta`.
bool utLog(const QString& messaggio, int delta);
bool utLog(const QString& routine, const QString& messaggio, int delta);
bool utLog(const QString& routine, const QString& messaggio);
// routine + " {", then one level deeper.
bool utLogEnter(const QString& routine);
// One level up, "}", then an empty line.
bool utLogExit(const QString& routine);
// "ERRORE #" + numero + testo at the current indentation.
bool utLogError(const QString& routine, int numero, const QString& testo);

// Tabs, line feeds and carriage returns become blanks, runs of blanks one blank, ends trimmed.
QString NormalizzaSpazi(const QString& testo);

// The nesting level and the tree state (root node, current parent, last node).
int utLogLivello();
const NodoLog* utLogRadice();
const NodoLog* utLogGenitoreCorrente();
const NodoLog* utLogUltimoNodo();
// Called after every node added to the tree (the main window's log view follows it).
void utLogImpostaOsservatore(std::function<void(const NodoLog&)> osservatore);
// Forgets level and tree (a new process starts like this; tests use it between cases).
void utLogAzzera();

// ---------------------------------------------------------------------------------------
// Text (positions count characters from 1)
// ---------------------------------------------------------------------------------------
QString utSinistra(const QString& s, int n);
QString utDestra(const QString& s, int n);
QString utDa(const QString& s, int p);
int utPosDa(const QString& s, const QString& t, int p);
QString utSostituisci(const QString& s, const QString& t, const QString& r);
QString utTestoTra(const QString& s, const QString& a, const QString& b);

// ---------------------------------------------------------------------------------------
// Dates and month labels
// ---------------------------------------------------------------------------------------
int utGiorno(const QDate& d);
int utMese(const QDate& d);
int utAnno(const QDate& d);
int utIndiceMese(const QDate& d);
QDate utDataMin(const QDate& a, const QDate& b);
QDate utDataMax(const QDate& a, const QDate& b);
QString utNomeMese(int mese);
int utNumeroMese(const QString& abbreviazione);
QString utMeseAnno(const QDate& d);
// Throws Errore for a text that is not a month label.
QDate utDataDaMeseAnno(const QString& etichetta);
std::pair<QDate, QDate> utLimitiMese(const QDate& d);

// ---------------------------------------------------------------------------------------
// SQL literals
// ---------------------------------------------------------------------------------------
// "#3/5/2024#" for 5 March 2024.
QString utDataSql(const QDate& d);
// 1.25, 3: shortest general form, decimal point.
QString utNumeroSql(double n);
// A typed text for inside an SQL text literal: each apostrophe doubled, so that the text
// is searched for instead of ending the literal ("d'oliva" -> "d''oliva").
QString utTestoSql(const QString& testo);
