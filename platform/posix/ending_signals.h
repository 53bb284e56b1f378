// The signals that end a POSIX process by default, taken by a program that
// runs the wizard as a request to close its window: the close revokes the
// write permission, and the program then ends with the signal's status.
// A handler only notes the signal; the program acts on it between its
// transfers, so a transfer under way always runs to its end.
//
// Left to their default are the signals that a fault of the program itself
// raises (SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGTRAP, SIGSYS, SIGABRT): after
// them nothing it does can be trusted. SIGXFSZ is ignored instead: a write
// past the file-size limit then fails with EFBIG like any failed write, and
// a record that cannot grow never stops the job.
#pragma once

namespace endingsignals {

// Installs handler for each ending signal, but for one that the program was
// started to ignore (nohup), which stays ignored; and ignores SIGXFSZ.
void Catch(void (*handler)(int number));
// Ignores SIGXFSZ alone, for a program that handles no other signal, or
// before its handlers are installed.
void IgnoreFileSizeLimit();
// "SIGTERM" and the like; null for a signal without a name of its own
// (the real-time signals).
const char* Name(int number);

}  // namespace endingsignals
