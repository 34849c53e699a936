#pragma once
// The program's heap on huge pages. A long level book or design table becomes millions of small
// cells; on 4 KB pages the processor spends a third of a large command in page faults and
// address translation (a million-row level book: 6 s with huge pages, 9.5 s without). The C
// library backs its heap with huge pages only when told so before the program starts, so the
// program restarts itself once with that setting, where the system allows huge pages at all.

namespace plovis {

// Returns at once when the setting is already made (or the user set the C library's tunables
// themselves, or the system is not Linux with the GNU C library); otherwise restarts the program
// with the same arguments and returns only if that fails.
void restartWithHugePageHeap(char** argv);

}  // namespace plovis
