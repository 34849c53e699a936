#include "shell/profile_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "shell/desktop.h"

namespace plovis {
namespace {

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

ProfileDialog::ProfileDialog(Desktop& desktop, QWidget* owner)
    : QDialog(owner), desktop_(desktop), lblStatus_(new QLabel) {
    setObjectName("frmProfile");
    setWindowTitle("Draw Ground Profile");
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    hscale_ = box("hscale");
    vscale_ = box("vscale");
    txtSize_ = box("txtSize");
    txtPaperLength_ = box("txtPaperLength");
    txtGap_ = box("txtGap");
    cmbPaper_ = new QComboBox;
    cmbPaper_->setObjectName("cmbPaper");
    for (const std::string& paper : kGroundProfilePapers)
        cmbPaper_->addItem(qt(paper));
    cmbPaper_->setCurrentText(qt(logic_.boxes.cmbPaper));
    lblStatus_->setObjectName("lblStatus");
    auto* cmdDraw = new QPushButton("DRAW");
    cmdDraw->setObjectName("cmdDraw");
    auto* cmdCancel = new QPushButton("&Cancel");
    cmdCancel->setObjectName("cmdCancel");

    auto* grid = new QGridLayout(this);
    const std::pair<const char*, QWidget*> rows[] = {
        {"Horizontal Scale", hscale_},    {"Vertical Scale", vscale_}, {"Paper Size", cmbPaper_},
        {"Plot Length", txtPaperLength_}, {"Sheet Gap", txtGap_},      {"Text Size", txtSize_}};
    int row = 0;
    for (const auto& [label, widget] : rows) {
        grid->addWidget(new QLabel(label), row, 0);
        grid->addWidget(widget, row++, 1);
    }
    grid->addWidget(cmdDraw, row, 0);
    grid->addWidget(cmdCancel, row++, 1);
    grid->addWidget(lblStatus_, row, 0, 1, 2);
    logicToBoxes();
    // On load the dialog takes the main window's place.
    if (owner) move(owner->pos());

    connect(cmbPaper_, &QComboBox::currentTextChanged, this, [this](const QString& paper) {
        boxesToLogic();
        logic_.selectPaper(paper.toStdString());
        logicToBoxes();
    });
    connect(cmdDraw, &QPushButton::clicked, this, [this] { draw(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] {
        logic_.cancel();
        close();
    });
    desktop_.ui().setStatusLabel(StatusLabel::GroundProfileStatus, lblStatus_);
}

ProfileDialog::~ProfileDialog() {
    desktop_.ui().setStatusLabel(StatusLabel::GroundProfileStatus, nullptr);
}

QLineEdit* ProfileDialog::box(const char* name) {
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    return edit;
}

void ProfileDialog::boxesToLogic() {
    GroundProfileBoxes& b = logic_.boxes;
    b.hscale = hscale_->text().toStdString();
    b.vscale = vscale_->text().toStdString();
    b.txtSize = txtSize_->text().toStdString();
    b.cmbPaper = cmbPaper_->currentText().toStdString();
    b.txtPaperLength = txtPaperLength_->text().toStdString();
    b.txtGap = txtGap_->text().toStdString();
}

void ProfileDialog::logicToBoxes() {
    const GroundProfileBoxes& b = logic_.boxes;
    hscale_->setText(qt(b.hscale));
    vscale_->setText(qt(b.vscale));
    txtSize_->setText(qt(b.txtSize));
    txtPaperLength_->setText(qt(b.txtPaperLength));
    txtGap_->setText(qt(b.txtGap));
    if (!b.focus.empty()) {
        if (auto* focus = findChild<QLineEdit*>(qt(b.focus))) focus->setFocus();
    }
}

void ProfileDialog::draw() {
    boxesToLogic();
    logic_.boxes.focus.clear();
    desktop_.runCommand(
        [this] { logic_.draw(desktop_.drawings(), desktop_.workbooks(), desktop_.ui()); },
        {"Existing Ground Profile", true});
    logicToBoxes();
    if (logic_.closeRequested) close();
}

}  // namespace plovis
