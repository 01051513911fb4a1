#pragma once
// Start-up: opening the one database connection from configdata.txt beside the program,
// asking for a new connection string until one connects or the user gives up.

#include <QString>
#include <functional>

class QWidget;

namespace startup {

// Shows the connection dialog with an initial text and returns the string built in it, or
// the initial text unchanged when the user cancels.
using ConnectionDialogFn = std::function<QString(const QString& initial)>;

QString configFilePath(const QString& dir = QString());

// The connection procedure. dir defaults to the program's directory. Returns true when the
// process connection is open and usable; false when the program must end.
bool connectDatabase(const ConnectionDialogFn& dialog, const QString& dir = QString());

// After the connection opened: is the database's schema one this program can use? An older
// one is upgraded when the user agrees.
bool ensureUsableSchema();

}  // namespace startup
