#include "common/interrupted_saves.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <mutex>

namespace plovis {
namespace {

constexpr int kPlaces = 8;  // saves under way at once: one per front end window at most
constexpr std::size_t kLongestPath = 4096;
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

enum State : int { Free, Filling, Listed };

struct Place {
    std::atomic<int> state{Free};
    char path[kLongestPath];
};

// A signal handler can reach nothing but storage of static duration, and may call only
// async-signal-safe functions: the paths are copied into room kept beforehand, and the handler
// does no more than unlink(2) them.
Place places[kPlaces];
static_assert(std::atomic<int>::is_always_lock_free);

void removeListedAndEnd(int signal) {
    for (Place& p : places) {
        if (p.state.load() == Listed) ::unlink(p.path);
    }
    // SA_RESETHAND restored the default action: raised again, the signal ends the program with
    // the status a caller expects from it.
    ::raise(signal);
}

void installHandlers() {
    for (const int signal : kSignals) {
        struct sigaction current;
        if (::sigaction(signal, nullptr, &current) != 0) continue;
        const bool byDefault = !(current.sa_flags & SA_SIGINFO) && current.sa_handler == SIG_DFL;
        if (!byDefault) continue;  // ignored (nohup) or handled by the program itself
        struct sigaction ours {};
        ours.sa_handler = removeListedAndEnd;
        ours.sa_flags = SA_RESETHAND;
        sigemptyset(&ours.sa_mask);
        ::sigaction(signal, &ours, nullptr);
    }
}

}  // namespace

InterruptedSaveGuard::InterruptedSaveGuard(const std::string& temporaryFile) {
    static std::once_flag installed;
    std::call_once(installed, installHandlers);
    if (temporaryFile.size() >= kLongestPath) return;
    for (int i = 0; i < kPlaces; ++i) {
        int expected = Free;
        if (!places[i].state.compare_exchange_strong(expected, Filling)) continue;
        std::memcpy(places[i].path, temporaryFile.c_str(), temporaryFile.size() + 1);
        places[i].state.store(Listed);
        place_ = i;
        return;
    }
}

InterruptedSaveGuard::~InterruptedSaveGuard() {
    if (place_ >= 0) places[place_].state.store(Free);
}

}  // namespace plovis
