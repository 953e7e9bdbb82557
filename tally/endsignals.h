// The signals that end a job from outside: SIGTERM and SIGHUP (a session
// that ends, a phone that shuts down), and SIGINT where it did not come
// ignored (a background line ignores it; ^C at a terminal does not). tally
// catches them to stop the job cleanly and remove what it has not placed,
// instead of dying with its private files left behind.
#pragma once

namespace tally {

// Installs the handler (without SA_RESTART: a blocking wait returns).
void catchEndSignals();

// The first such signal caught, or 0.
int endSignal();

// A descriptor that becomes readable once such a signal is caught (for an
// event loop); -1 when it could not be made.
int endSignalFd();
// Reads what made it readable.
void clearEndSignalFd();

// "SIGTERM", "SIGHUP", "SIGINT", or "a signal".
const char* endSignalName(int signal);

} // namespace tally
