#pragma once
// A save interrupted by Ctrl+C, a kill or a closed terminal (SIGINT, SIGTERM, SIGHUP) leaves the
// file it was replacing intact, but would leave its half-written temporary file beside it. While a
// temporary file is being written it is listed here; those signals remove the listed files and
// then end the program as the signal would have. A signal the program ignores (nohup) or handles
// itself is left as it is.

#include <string>

namespace plovis {

// Lists one temporary file for removal on those signals, for as long as the object lives. A path
// longer than the room kept for it, or more files at once than there are places, is not listed:
// the next save of that file removes what an interruption left.
class InterruptedSaveGuard {
  public:
    explicit InterruptedSaveGuard(const std::string& temporaryFile);
    ~InterruptedSaveGuard();
    InterruptedSaveGuard(const InterruptedSaveGuard&) = delete;
    InterruptedSaveGuard& operator=(const InterruptedSaveGuard&) = delete;

  private:
    int place_ = -1;
};

}  // namespace plovis
