#include "prompt_answerer.h"

#include <QLineEdit>
#include <QTest>

#include "shell/drawing_view.h"

namespace plovis::test {

PromptAnswerer::PromptAnswerer(DrawingWindow& window) : window_(window) {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        // One step per question.
        if (!window_.asking() || window_.questionsAsked() == answered_ || steps_.empty()) return;
        answered_ = window_.questionsAsked();
        auto step = std::move(steps_.front());
        steps_.pop_front();
        step(window_);
    });
    timer_.start();
}

std::function<void(DrawingWindow&)> PromptAnswerer::clickAt(QPoint pixel) {
    return [pixel](DrawingWindow& w) { QTest::mouseClick(w.view(), Qt::LeftButton, {}, pixel); };
}

std::function<void(DrawingWindow&)> PromptAnswerer::pressEscape() {
    return [](DrawingWindow& w) { QTest::keyClick(w.view(), Qt::Key_Escape); };
}

std::function<void(DrawingWindow&)> PromptAnswerer::type(const QString& text) {
    return [text](DrawingWindow& w) {
        QTest::keyClicks(w.promptInput(), text);
        QTest::keyClick(w.promptInput(), Qt::Key_Return);
    };
}

}  // namespace plovis::test
