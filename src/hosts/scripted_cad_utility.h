#pragma once
// Picks and typed answers given in advance: the command line's --pick and the tests. Every prompt
// is recorded. When no answer is left, the user counts as having cancelled.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "hosts/cad_host.h"

namespace plovis {

class ScriptedCadUtility : public CadUtility {
  public:
    Point getPoint(std::string_view prompt) override;
    void prompt(std::string_view message) override { prompts_.emplace_back(message); }
    std::string getString(std::string_view prompt) override;

    // The next getPoint answers this point.
    void pickPoint(const Point& p) { points_.push_back(p); }
    // The next getPoint fails as if the user pressed Escape.
    void cancelPick() { points_.push_back(std::nullopt); }
    // The next getString answers this text.
    void typeString(std::string text) { strings_.push_back(std::move(text)); }

    // Every prompt shown, in order (point and string prompts included).
    const std::vector<std::string>& prompts() const { return prompts_; }

  private:
    std::deque<std::optional<Point>> points_;
    std::deque<std::string> strings_;
    std::vector<std::string> prompts_;
};

}  // namespace plovis
