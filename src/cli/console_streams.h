// The end of every vendral-cli command: what it printed must have arrived.
#pragma once

namespace vendral {

// Flushes standard output and standard error. Returns status when both were
// written, otherwise 1: a lost "Done!" or message is a failed command. A
// lost standard output is reported on standard error, if that still works.
int FinishConsoleOutput(int status);

}  // namespace vendral
