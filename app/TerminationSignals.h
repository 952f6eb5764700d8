#pragma once

#include <functional>

class QObject;

// Ends the program the orderly way when the session or a terminal asks it to (SIGTERM, SIGINT,
// SIGHUP): `quit` runs on the event loop's thread, never inside the signal handler.
void QuitOnTerminationSignals(QObject* owner, std::function<void()> quit);
