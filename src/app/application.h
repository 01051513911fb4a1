#pragma once
// The program: command line, start-up order and the client's run.

#include <QStringList>

namespace app {

// Registers every subsystem's screens. Called once before any screen opens.
void registerAllScreens();

// Runs the program with its arguments (without argv[0]); returns the exit code.
int run(int argc, char** argv);

}  // namespace app
