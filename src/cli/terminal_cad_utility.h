#pragma once
// Picks and typed answers at the terminal, for a drawing command run without --pick: the point
// is typed as "X,Y"; an empty or unreadable answer counts as a cancelled pick.

#include <optional>

#include "cli/console_user_interface.h"
#include "hosts/cad_host.h"

namespace plovis {

class TerminalCadUtility : public CadUtility {
  public:
    explicit TerminalCadUtility(const ConsoleStreams& streams) : io_(streams) {}
    Point getPoint(std::string_view prompt) override;
    void prompt(std::string_view message) override;
    std::string getString(std::string_view prompt) override;

  private:
    ConsoleStreams io_;
};

}  // namespace plovis
