#pragma once

#include <QString>

// Where the data module sends the messages the user must see. The data layer never opens a
// dialog itself: the window that owns the data module passes its message service.
class Avvisi {
public:
    virtual ~Avvisi() = default;
    virtual void errore(const QString& testo) = 0;
};
