#pragma once
// The drawing window: the face of the CAD host. A tab per open drawing over the view, and the
// prompt line at the bottom where the routines write (Prompt), ask for a typed answer
// (GetString) and ask for a point (GetPoint: a click in the view, or "X,Y" typed; Esc cancels).

#include <QMainWindow>

#include "hosts/cad_host.h"

class QEventLoop;
class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QTabBar;

namespace plovis {

class DrawingHost;
class DrawingView;

class DrawingWindow : public QMainWindow, public CadUtility {
    Q_OBJECT
  public:
    explicit DrawingWindow(DrawingHost& host);
    ~DrawingWindow() override;

    Point getPoint(std::string_view prompt) override;
    void prompt(std::string_view message) override;
    std::string getString(std::string_view prompt) override;

    // The tabs and the view show the host's drawings anew (names, modified markers, the one in
    // front); `redraw` paints the drawing in front again, at once.
    void showDocuments(bool redraw);

    DrawingView* view() const { return view_; }
    // A line for the user in the status bar, kept until the next one.
    void showNote(const QString& note);
    // The layers of the drawing in front, each shown or hidden by its check box.
    QListWidget* layerList() const { return layers_; }
    QTabBar* documentTabs() const { return tabs_; }
    QLineEdit* promptInput() const { return input_; }
    // The lines written on the prompt line so far.
    QString promptHistory() const;
    // Whether a routine waits for a point or a typed answer.
    bool asking() const { return loop_ != nullptr; }
    // The questions asked so far, the one waiting included.
    int questionsAsked() const { return questionsAsked_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    enum class Question { Point, Text };
    enum Outcome { Cancelled = 0, Answered = 1 };
    void buildMenus();
    void buildLayers();
    void showLayers();
    void exportChosen();
    void printSheets();
    // Asks on the prompt line and waits for the answer; false when the user cancelled.
    bool ask(std::string_view prompt, Question question);
    void answerTyped();
    void finish(Outcome outcome);
    void writeLine(const QString& line);

    DrawingHost& host_;
    QTabBar* tabs_;
    DrawingView* view_;
    QPlainTextEdit* history_;
    QLabel* promptLabel_;
    QLineEdit* input_;
    QLabel* coordinates_;
    QListWidget* layers_ = nullptr;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    QEventLoop* loop_ = nullptr;
    int questionsAsked_ = 0;
    Question question_ = Question::Text;
    Point pointAnswer_{};
    std::string textAnswer_;
};

}  // namespace plovis
