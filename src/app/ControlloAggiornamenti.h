#pragma once

// The update check of the first show: the date of the latest release, asked of the maker's
// update server, against the date of the installed release. No widgets here: the main
// window shows or hides its notice from the result.

#include <QDateTime>
#include <QString>
#include <QUrl>

// The maker's web page, opened by the link on the start page.
inline const QUrl SITO_WEB = QUrl(QStringLiteral("https://www.brevantoria.it"));

// The page of the update server that answers with the date and time of the latest release.
inline const QString PAGINA_AGGIORNAMENTI = QStringLiteral("/SERV_LastDolveraUpdateDateTime.asp");

// The time the start waits for the update server: a network that hangs never holds it longer.
constexpr int LIMITE_AGGIORNAMENTI_MS = 3000;

// Asks the update server `server` (a host name, "host:porta" for another port than 80) for
// the date and time of the latest release: one GET of PAGINA_AGGIORNAMENTI, agent
// "wininet1", direct connection, never from a cache, at most 1023 bytes of the reply read
// as a short date with an optional time. Waits at most `limiteMs` milliseconds, without
// handling user input meanwhile. An invalid value when no date came; `motivo` then says why.
QDateTime DataUltimaVersione(const QString& server, int limiteMs, QString& motivo);

// The whole check, logged as a block: the installed release's date "LastUpdate" (1 January
// 1900 when missing or not a date) and the server "UpdateServer", both under the program's
// key of the registry file `fileRegistro`; then the server's date. True when the server's
// release is of a later day than the installed one. A server that cannot be asked, does not
// answer in time or answers something that is not a date gives false: no notice, only the
// reason in the log.
bool ControlloAggiornamenti(const QString& fileRegistro, int limiteMs = LIMITE_AGGIORNAMENTI_MS);
