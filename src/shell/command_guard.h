#pragma once
// One command at a time. A command runs on the user-interface thread to its end; while it waits
// for the user (a message box, a pick in the drawing window, a selection in the workbook window)
// the windows keep painting, but no second command may start, no document may close or be
// reloaded under it, and the program may not end.

#include <QObject>

namespace plovis {

class CommandGuard : public QObject {
    Q_OBJECT
  public:
    bool busy() const { return running_; }

  signals:
    // A command ended: deferred work (a reload from disk, say) may run now.
    void idle();

  private:
    friend class RunningCommand;
    bool running_ = false;
};

// Marks a command as running for its lifetime; started() is false when another one runs.
class RunningCommand {
  public:
    explicit RunningCommand(CommandGuard& guard);
    ~RunningCommand();
    RunningCommand(const RunningCommand&) = delete;
    RunningCommand& operator=(const RunningCommand&) = delete;
    bool started() const { return started_; }

  private:
    CommandGuard& guard_;
    bool started_;
};

}  // namespace plovis
