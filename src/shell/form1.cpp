#include "shell/form1.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

#include "common/data_directory.h"
#include "shell/about_box.h"
#include "shell/clickable_label.h"
#include "shell/desktop.h"
#include "shell/help_window.h"
#include "shell/pictures.h"
#include "shell/profile_dialog.h"

namespace plovis {
namespace {

// The client area as laid out.
constexpr int kClientWidth = 5235;
constexpr int kClientHeight = 4695;

QRect placed(int left, int top, int width, int height) {
    return {twips(left), twips(top), twips(width), twips(height)};
}

QFont buttonFont() {
    return QFont("Arial", 9, QFont::Bold);
}

QFont inputFont() {
    QFont font("Arial", 9, QFont::Bold);
    font.setPointSizeF(8.25);
    return font;
}

QFont labelFont() {
    return QFont("Arial", 9);
}

template <class W>
W* control(QWidget* parent, const char* name, const QRect& geometry) {
    auto* w = new W(parent);
    w->setObjectName(name);
    w->setGeometry(geometry);
    return w;
}

QPushButton* button(QWidget* parent, const char* name, const char* caption, const QRect& at) {
    auto* b = control<QPushButton>(parent, name, at);
    b->setText(caption);
    b->setFont(buttonFont());
    return b;
}

QLabel* label(QWidget* parent, const char* name, const char* caption, const QRect& at) {
    auto* l = control<QLabel>(parent, name, at);
    l->setText(caption);
    l->setFont(labelFont());
    return l;
}

// Green text on black, as the scale boxes and the paper list show.
const char* const kInputStyle = "color: #00ff00; background-color: black;";

void rule(QWidget* parent, const char* name, int top, int right) {
    auto* line = control<QFrame>(parent, name,
                                 QRect(twips(120), twips(top) - 1, twips(right) - twips(120), 2));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
}

}  // namespace

Form1::Form1(Desktop& desktop) : desktop_(desktop) {
    setObjectName("Form1");
    setWindowTitle("PLOVIS");
    setAcceptDrops(true);  // workbook files dropped here open (see FileDrops)
    profile_.templateFile = templateDrawingPath();
    profile_.reselect = [this] {
        return desktop_.workbooks().askForSelection(
            "one column of the pipe design table from a branch title row down (e.g. B15:B37)");
    };
    buildControls();
    buildPictures();
    buildMenus();
    setTabOrder();
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    f1->setObjectName("helpKey");
    f1->setContext(Qt::ApplicationShortcut);
    connect(f1, &QShortcut::activated, this, [this] { help(); });
    adjustSize();
    setFixedSize(size());
}

Form1::~Form1() = default;

ProfileDialog* Form1::profileDialog() const {
    return profileDialog_;
}

void Form1::buildControls() {
    auto* client = new QWidget;
    client->setObjectName("client");
    client->setFixedSize(twips(kClientWidth), twips(kClientHeight));
    setCentralWidget(client);

    auto* readData =
        button(client, "Read_data", "&Pipe Line Profile", placed(2760, 2760, 2250, 325));
    auto* cmdSchematic = button(client, "cmdSchematic", "Schematic", placed(2760, 3120, 2250, 325));
    auto* command2 = button(client, "Command2", "&Cancel", placed(2760, 3480, 2250, 325));
    auto* cmdHelp = button(client, "cmdHelp", "&Help", placed(2850, 5700, 1080, 325));
    auto* cmdExistingGL =
        button(client, "cmdExistingGL", "&Existing Ground Profile", placed(1440, 5400, 2190, 325));
    label(client, "Label1", "Horizontal Scale", placed(75, 2760, 1410, 240));
    label(client, "Label2", "Vertical Scale", placed(75, 3120, 1410, 240));
    label(client, "Label4", "Paper Size", placed(75, 3480, 1410, 240));
    hscale_ = control<QLineEdit>(client, "hscale", placed(1560, 2745, 825, 285));
    vscale_ = control<QLineEdit>(client, "vscale", placed(1560, 3090, 825, 315));
    combo1_ = control<QComboBox>(client, "Combo1", placed(1560, 3480, 855, 330));
    for (QWidget* input : {static_cast<QWidget*>(hscale_), static_cast<QWidget*>(vscale_),
                           static_cast<QWidget*>(combo1_)}) {
        input->setFont(inputFont());
        input->setStyleSheet(kInputStyle);
    }
    hscale_->setText("5000");
    vscale_->setText("1000");
    // Form_Load: the paper list, with "A4" (index 3) selected.
    combo1_->addItems({"A1", "A2", "A3", "A4"});
    combo1_->setCurrentIndex(3);

    auto* label6 = label(client, "Label6", "Select Data Range and Click 'Execute'or Schematic ...",
                         placed(360, 4080, 4260, 315));
    label6->setAlignment(Qt::AlignCenter);
    auto* lblStatus = label(client, "lblStatus", "", placed(120, 4320, 4935, 255));
    lblStatus->setStyleSheet("color: blue; background-color: white;");
    auto* label10 = control<ClickableLabel>(client, "Label10", placed(3600, 5400, 615, 255));
    label10->setText("ABOUT");
    label10->setFont(labelFont());
    rule(client, "Line1", 480, 5040);
    rule(client, "Line2", 2520, 5040);
    rule(client, "Line3", 3960, 5160);

    // Below the client area as laid out: not shown, their commands still reachable.
    for (QWidget* below : {static_cast<QWidget*>(cmdHelp), static_cast<QWidget*>(cmdExistingGL),
                           static_cast<QWidget*>(label10)}) {
        below->hide();
    }
    cmdExistingGL->setEnabled(offEntryEnabled());

    desktop_.ui().setStatusLabel(StatusLabel::MainStatus, lblStatus);
    desktop_.ui().setStatusLabel(StatusLabel::DrawingStatus, label6);
    connect(readData, &QPushButton::clicked, this, [this] { this->readData(); });
    connect(cmdSchematic, &QPushButton::clicked, this, [this] { schematic(); });
    connect(command2, &QPushButton::clicked, this, [this] { close(); });
    connect(cmdHelp, &QPushButton::clicked, this, [this] { help(); });
    connect(cmdExistingGL, &QPushButton::clicked, this, [this] { existingGround(); });
    connect(label10, &ClickableLabel::clicked, this, [this] { aboutOwned(); });
}

void Form1::buildPictures() {
    QWidget* client = centralWidget();
    auto* image1 = control<ClickableLabel>(client, "Image1", placed(3360, 1440, 1590, 795));
    image1->setPixmap(emblemPicture(image1->size()));
    image1->setCursor(Qt::PointingHandCursor);
    image1->setToolTip("About PLOVIS");
    connect(image1, &ClickableLabel::clicked, this, [this] { aboutFromPicture(); });
    auto* image2 = control<QLabel>(client, "Image2", placed(1560, 120, 2145, 255));
    image2->setPixmap(headingPicture(image2->size()));
    auto* image3 = control<QLabel>(client, "Image3", placed(1200, 480, 3135, 885));
    image3->setPixmap(bannerPicture(image3->size()));
    // The maker's lines beside the emblem.
    const char* const lines[] = {"Pipe line profiles, schematics", "and design of gravity-fed",
                                 "rural water-supply schemes"};
    const char* const names[] = {"Label5", "Label7", "Label8"};
    for (int i = 0; i < 3; ++i) {
        auto* l = label(client, names[i], lines[i], placed(120, 1455 + i * 240, 3200, 240));
        l->setFont(QFont("Arial", 8));
    }
}

void Form1::setTabOrder() {
    const char* const order[] = {"Read_data", "cmdSchematic", "cmdHelp", "Command2",
                                 "hscale",    "vscale",       "Combo1",  "cmdExistingGL"};
    QWidget* previous = nullptr;
    for (const char* name : order) {
        auto* w = findChild<QWidget*>(name);
        if (previous) QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

bool Form1::offEntryEnabled() const {
    return !desktop_.options().asLaidOut;
}

void Form1::readData() {
    desktop_.runCommand(
        [this] {
            const ProfileInputs inputs{hscale_->text().toStdString(), vscale_->text().toStdString(),
                                       combo1_->currentText().toStdString()};
            runProfileCommand(profile_, inputs, desktop_.workbooks(), desktop_.drawings(),
                              desktop_.ui());
        },
        {"Pipe Line Profile", true});
}

void Form1::existingGround() {
    if (!profileDialog_) profileDialog_ = new ProfileDialog(desktop_, this);
    profileDialog_->show();
    profileDialog_->raise();
}

void Form1::aboutOwned() {
    if (!about_) about_ = std::make_unique<AboutBox>(this);
    about_->showOwned();
}

void Form1::aboutFromPicture() {
    setEnabled(false);
    if (!about_) about_ = std::make_unique<AboutBox>(this);
    about_->showWithoutOwner();
}

void Form1::help() {
    const QString page = QString::fromStdString((dataDirectory() / "help" / "index.html").string());
    if (!QFile::exists(page)) {
        desktop_.ui().showMessage(
            criticalMessage("The help file " + page.toStdString() + " could not be found."));
        return;
    }
    if (desktop_.dialogs().openUrl(QUrl::fromLocalFile(page))) return;
    // No browser on this desktop: the manual in a window of our own.
    if (!helpWindow_) helpWindow_ = std::make_unique<HelpWindow>();
    helpWindow_->showPage(QUrl::fromLocalFile(page));
}

void Form1::closeEvent(QCloseEvent* event) {
    if (desktop_.guard().busy() || !desktop_.offerToSaveAll()) {
        event->ignore();
        return;
    }
    event->accept();
    if (about_) about_->hide();
    if (helpWindow_) helpWindow_->hide();
    if (profileDialog_) profileDialog_->close();
    desktop_.finish();
}

}  // namespace plovis
