#include "shell/drawing_window.h"

#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QEventLoop>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTabBar>
#include <QVBoxLayout>

#include "hosts/cad_types.h"
#include "shell/drawing_host.h"
#include "shell/drawing_view.h"

namespace plovis {
namespace {

QString fromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

DrawingWindow::DrawingWindow(DrawingHost& host)
    : host_(host),
      tabs_(new QTabBar),
      view_(new DrawingView),
      history_(new QPlainTextEdit),
      promptLabel_(new QLabel),
      input_(new QLineEdit),
      coordinates_(new QLabel) {
    setObjectName("drawingWindow");
    setAcceptDrops(true);  // drawings and workbooks dropped here open (see FileDrops)
    resize(1000, 700);
    tabs_->setObjectName("drawingTabs");
    tabs_->setTabsClosable(true);
    tabs_->setDocumentMode(true);
    tabs_->setExpanding(false);
    history_->setObjectName("promptHistory");
    history_->setReadOnly(true);
    history_->setMaximumBlockCount(500);
    history_->setFixedHeight(history_->fontMetrics().lineSpacing() * 4 + 10);
    history_->setFocusPolicy(Qt::NoFocus);
    promptLabel_->setObjectName("promptLabel");
    input_->setObjectName("promptInput");
    input_->setEnabled(false);
    input_->installEventFilter(this);

    auto* promptRow = new QHBoxLayout;
    promptRow->addWidget(promptLabel_);
    promptRow->addWidget(input_, 1);
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 4);
    layout->setSpacing(2);
    layout->addWidget(tabs_);
    layout->addWidget(view_, 1);
    layout->addWidget(history_);
    layout->addLayout(promptRow);
    setCentralWidget(central);
    statusBar()->addPermanentWidget(coordinates_);

    connect(tabs_, &QTabBar::currentChanged, this, [this](int i) { host_.setActiveIndex(i); });
    connect(tabs_, &QTabBar::tabCloseRequested, this, [this](int i) { host_.closeDocument(i); });
    connect(view_, &DrawingView::cursorMoved, this, [this](QPointF p) {
        coordinates_->setText(QString("%1, %2").arg(p.x(), 0, 'f', 2).arg(p.y(), 0, 'f', 2));
    });
    connect(view_, &DrawingView::picked, this, [this](QPointF p) {
        if (!asking() || question_ != Question::Point) return;
        pointAnswer_ = {p.x(), p.y(), 0};
        writeLine(QString("%1,%2").arg(p.x(), 0, 'f', 3).arg(p.y(), 0, 'f', 3));
        finish(Answered);
    });
    connect(view_, &DrawingView::escapePressed, this, [this] { finish(Cancelled); });
    connect(input_, &QLineEdit::returnPressed, this, [this] { answerTyped(); });
    buildLayers();
    buildMenus();
    showDocuments(true);
}

DrawingWindow::~DrawingWindow() {
    finish(Cancelled);
}

void DrawingWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    file->addAction("&New Drawing", QKeySequence::New, this, [this] {
        host_.addDocument();
        host_.setVisible(true);
    });
    file->addAction("&Open DXF...", QKeySequence::Open, this, [this] {
        const QString f =
            host_.dialogs().openFileName(this, "Open Drawing", "DXF drawings (*.dxf)");
        if (f.isEmpty()) return;
        try {
            host_.open(f.toStdString());
        } catch (const HostError& e) {
            host_.dialogs().message(criticalMessage(e.what()), this);
        }
    });
    file->addSeparator();
    file->addAction("&Save", QKeySequence::Save, this, [this] {
        if (host_.activeIndex() >= 0) host_.save(host_.activeIndex());
    });
    file->addAction("Save &As DXF...", QKeySequence::SaveAs, this, [this] {
        const int i = host_.activeIndex();
        if (i < 0) return;
        const QString f = host_.dialogs().saveFileName(
            this, "Save Drawing As", QString::fromStdString(host_.document(i).drawing->name()),
            "DXF drawings (*.dxf)");
        if (!f.isEmpty()) host_.saveAs(i, f);
    });
    file->addAction("&Export PDF, SVG or PNG...", QKeySequence(Qt::CTRL | Qt::Key_E), this,
                    [this] { exportChosen(); });
    file->addAction("&Print Sheets...", QKeySequence::Print, this, [this] { printSheets(); });
    file->addSeparator();
    file->addAction("&Close Drawing", QKeySequence::Close, this, [this] {
        if (host_.activeIndex() >= 0) host_.closeDocument(host_.activeIndex());
    });
    QMenu* edit = menuBar()->addMenu("&Edit");
    undo_ = edit->addAction("&Undo", QKeySequence::Undo, this, [this] { host_.undo(); });
    undo_->setObjectName("undoDrawing");
    redo_ = edit->addAction("&Redo", QKeySequence(Qt::CTRL | Qt::Key_Y), this,
                            [this] { host_.redo(); });
    redo_->setObjectName("redoDrawing");
    edit->addSeparator();
    QAction* each = edit->addAction("&New Drawing for Each Command");
    each->setObjectName("newDrawingEachCommand");
    each->setCheckable(true);
    connect(each, &QAction::toggled, this, [this](bool on) { host_.setNewDrawingEachCommand(on); });
    QMenu* view = menuBar()->addMenu("&View");
    view->addAction("Zoom &In", QKeySequence::ZoomIn, this,
                    [this] { view_->zoomBy(DrawingView::kWheelStep); });
    view->addAction("Zoom &Out", QKeySequence::ZoomOut, this,
                    [this] { view_->zoomBy(1 / DrawingView::kWheelStep); });
    view->addAction("Zoom to &Fit", QKeySequence(Qt::CTRL | Qt::Key_0), this,
                    [this] { view_->fit(); });
    view->addAction(findChild<QDockWidget*>("layersPanel")->toggleViewAction());
}

void DrawingWindow::buildLayers() {
    auto* dock = new QDockWidget("Layers", this);
    dock->setObjectName("layersPanel");
    layers_ = new QListWidget(dock);
    layers_->setObjectName("layerList");
    dock->setWidget(layers_);
    addDockWidget(Qt::RightDockWidgetArea, dock);
    resizeDocks({dock}, {160}, Qt::Horizontal);  // the drawing keeps most of the window
    connect(layers_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        const int active = host_.activeIndex();
        if (active < 0) return;
        CadLayer* layer = host_.document(active).drawing->layers().find(item->text().toStdString());
        const bool on = item->checkState() == Qt::Checked;
        if (!layer || layer->on() == on) return;
        layer->setOn(on);
        showDocuments(true);
    });
}

// The layers of the drawing in front, each checked when it is on.
void DrawingWindow::showLayers() {
    QSignalBlocker block(layers_);
    layers_->clear();
    const int active = host_.activeIndex();
    if (active < 0) return;
    for (const CadLayer& layer : host_.document(active).drawing->layers().all()) {
        auto* item = new QListWidgetItem(QString::fromStdString(layer.name()), layers_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(layer.on() ? Qt::Checked : Qt::Unchecked);
    }
}

void DrawingWindow::showNote(const QString& note) {
    statusBar()->showMessage(note);
}

// Printing goes through a PDF of one page per paper sheet at true scale, opened in the desktop's
// viewer, which prints it on the printer and paper the user picks there.
void DrawingWindow::printSheets() {
    const int i = host_.activeIndex();
    if (i < 0) return;
    const QString base =
        QFileInfo(QString::fromStdString(host_.document(i).drawing->name())).completeBaseName();
    const QString file = QDir::temp().filePath(base + "-sheets.pdf");
    if (!host_.exportTo(i, file)) return;
    if (!host_.dialogs().openUrl(QUrl::fromLocalFile(file))) {
        showNote("The sheets are in " + file + "; no viewer could be started to print them.");
    }
}

void DrawingWindow::exportChosen() {
    const int i = host_.activeIndex();
    if (i < 0) return;
    const QString base =
        QFileInfo(QString::fromStdString(host_.document(i).drawing->name())).completeBaseName();
    const QString f = host_.dialogs().saveFileName(this, "Export Drawing", base + ".pdf",
                                                   "PDF (*.pdf);;SVG (*.svg);;PNG (*.png)");
    if (f.isEmpty()) return;
    if (host_.exportTo(i, f)) statusBar()->showMessage("Exported " + f, 5000);
}

void DrawingWindow::showDocuments(bool redraw) {
    {
        QSignalBlocker block(tabs_);
        while (tabs_->count() > host_.documentCount())
            tabs_->removeTab(tabs_->count() - 1);
        for (int i = 0; i < host_.documentCount(); ++i) {
            const Drawing& d = *host_.document(i).drawing;
            const QString name = QString::fromStdString(d.name()) + (d.modified() ? " *" : "");
            if (i < tabs_->count()) {
                tabs_->setTabText(i, name);
            } else {
                tabs_->addTab(name);
            }
        }
        tabs_->setCurrentIndex(host_.activeIndex());
    }
    const int active = host_.activeIndex();
    showLayers();
    undo_->setEnabled(host_.canUndo());
    undo_->setText(host_.canUndo() ? "&Undo " + host_.undoText() : "&Undo");
    redo_->setEnabled(host_.canRedo());
    redo_->setText(host_.canRedo() ? "&Redo " + host_.redoText() : "&Redo");
    if (active < 0) {
        view_->setDrawing(nullptr, nullptr);
        setWindowTitle("PLOVIS drawing");
        setWindowModified(false);
        return;
    }
    DrawingDocument& doc = host_.document(active);
    setWindowTitle(QString::fromStdString(doc.drawing->name()) + "[*] - PLOVIS drawing");
    setWindowModified(doc.drawing->modified());
    view_->setDrawing(doc.drawing.get(), &doc.view);
    if (redraw) {
        view_->drawingChanged();
        view_->repaint();
    }
}

QString DrawingWindow::promptHistory() const {
    return history_->toPlainText();
}

void DrawingWindow::writeLine(const QString& line) {
    history_->appendPlainText(line);
    history_->repaint();
}

void DrawingWindow::prompt(std::string_view message) {
    writeLine(fromView(message));
}

bool DrawingWindow::ask(std::string_view prompt, Question question) {
    if (asking()) return false;  // one question at a time
    host_.setVisible(true);
    activateWindow();
    question_ = question;
    writeLine(fromView(prompt));
    promptLabel_->setText(fromView(prompt));
    input_->clear();
    input_->setEnabled(true);
    view_->setPicking(question == Question::Point);
    if (question == Question::Point) {
        view_->setFocus();
    } else {
        input_->setFocus();
    }
    QEventLoop loop;
    loop_ = &loop;
    ++questionsAsked_;
    const bool answered = loop.exec() == Answered;
    loop_ = nullptr;
    view_->setPicking(false);
    input_->setEnabled(false);
    promptLabel_->clear();
    if (!answered) writeLine("*Cancel*");
    return answered;
}

void DrawingWindow::finish(Outcome outcome) {
    if (loop_) loop_->exit(outcome);
}

// Enter on the prompt line: the typed text, or for a point "X,Y".
void DrawingWindow::answerTyped() {
    if (!asking()) return;
    const std::string typed = input_->text().toStdString();
    if (question_ == Question::Text) {
        textAnswer_ = typed;
        writeLine(input_->text());
        finish(Answered);
        return;
    }
    const std::optional<Point> p = parsePoint(typed);
    if (!p) {
        writeLine("Point or option keyword required: type X,Y or click in the drawing.");
        input_->clear();
        return;
    }
    pointAnswer_ = *p;
    writeLine(input_->text());
    finish(Answered);
}

Point DrawingWindow::getPoint(std::string_view prompt) {
    if (!ask(prompt, Question::Point)) throw HostError("The pick was cancelled");
    return pointAnswer_;
}

std::string DrawingWindow::getString(std::string_view prompt) {
    if (!ask(prompt, Question::Text)) throw HostError("The answer was cancelled");
    return textAnswer_;
}

bool DrawingWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == input_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape) {
            finish(Cancelled);
            return true;
        }
        // An answer without spaces ends at a space, as at a CAD prompt.
        if (key->key() == Qt::Key_Space && question_ == Question::Text) {
            answerTyped();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void DrawingWindow::closeEvent(QCloseEvent* event) {
    if (asking()) {
        finish(Cancelled);  // closing gives up the question; the window stays
        event->ignore();
        return;
    }
    if (host_.guard().busy() || !host_.offerToSaveAll()) {
        event->ignore();
        return;
    }
    event->accept();
    host_.closeAll();
}

}  // namespace plovis
