#pragma once

namespace tolvik {

// SIGINT and SIGTERM as a request to stop: the block being decoded is
// finished, a call waiting only for its look-ahead is handed on, the
// outputs are given their moment to deliver, and the program ends with
// 128 + the signal's number, as a shell expects of a program a signal
// ended. A second signal of the same kind ends it at once. The handlers
// leave a blocked read of standard input (no restart), so a live stream
// that has gone quiet stops too.
void InstallStopHandlers();

// Keeps SIGINT and SIGTERM from this thread and every thread it starts
// from now on, until InstallStopHandlers takes them in this thread alone.
// Called before the outputs start their threads, so that a signal always
// reaches the thread that reads the input and wakes its read.
void HoldStopSignals();

// Whether a stop has been asked for, and by which signal (0 before).
bool StopRequested();
int StopSignal();

}  // namespace tolvik
