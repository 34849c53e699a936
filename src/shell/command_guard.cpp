#include "shell/command_guard.h"

namespace plovis {

RunningCommand::RunningCommand(CommandGuard& guard) : guard_(guard), started_(!guard.running_) {
    guard_.running_ = true;
}

RunningCommand::~RunningCommand() {
    if (!started_) return;
    guard_.running_ = false;
    emit guard_.idle();
}

}  // namespace plovis
