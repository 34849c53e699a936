#pragma once
// Answers the drawing window's prompt line while a command waits in it: each step runs when the
// window asks its next question (a point or a typed answer), as a user at the screen would.

#include <QTimer>
#include <deque>
#include <functional>

#include "shell/drawing_window.h"

namespace plovis::test {

class PromptAnswerer {
  public:
    explicit PromptAnswerer(DrawingWindow& window);
    // The next question gets this answer.
    void then(std::function<void(DrawingWindow&)> step) { steps_.push_back(std::move(step)); }
    std::size_t unused() const { return steps_.size(); }

    // Steps a user takes.
    static std::function<void(DrawingWindow&)> clickAt(QPoint pixel);
    static std::function<void(DrawingWindow&)> pressEscape();
    static std::function<void(DrawingWindow&)> type(const QString& text);

  private:
    DrawingWindow& window_;
    std::deque<std::function<void(DrawingWindow&)>> steps_;
    QTimer timer_;
    int answered_ = 0;  // the questions answered so far
};

}  // namespace plovis::test
