#pragma once

#include <QString>

// Reads one string of the version block embedded in the running executable (the resource
// ":/versione/versione.ini"; `file` names the executable and is kept for the callers).
// Returns 0 and the value on success; 1 when the key is not in the string table; 2 when
// the translation table is missing; 3 when the block cannot be read; 4 when there is none.
// The string table is "StringFileInfo\llllcccc" for the language and code page of the
// first entry of "VarFileInfo\Translation" (four lower-case hexadecimal digits each).
int GetVersionInfo(const QString& file, const QString& chiave, QString& valore);
