#include "shell/about_box.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "shell/pictures.h"

namespace plovis {
namespace {

QLabel* picture(const QPixmap& pixmap, const char* name) {
    auto* label = new QLabel;
    label->setObjectName(name);
    label->setPixmap(pixmap);
    return label;
}

QLabel* textLabel(const QString& text, const char* name, const QFont& font) {
    auto* label = new QLabel(text);
    label->setObjectName(name);
    label->setFont(font);
    return label;
}

}  // namespace

AboutBox::AboutBox(QWidget* mainWindow) : QDialog(nullptr), mainWindow_(mainWindow) {
    setObjectName("About_us");
    setWindowTitle("About us....");
    const QFont plain("Arial", 9);
    auto* layout = new QGridLayout(this);
    layout->addWidget(picture(emblemPicture({120, 44}), "Image1"), 0, 0);
    layout->addWidget(textLabel("PLOVIS", "lblTitle", QFont("Arial", 14, QFont::Bold)), 0, 1);
    layout->addWidget(picture(bannerPicture({300, 70}), "Image2"), 1, 0, 1, 2);
    layout->addWidget(textLabel("Pipe Line Profile, Schematic and Design", "lblProduct", plain), 2,
                      0, 1, 2);
    layout->addWidget(textLabel("Verion 1.0.2, Sept 2004", "lblVersion", plain), 3, 0, 1, 2);
    layout->addWidget(picture(headingPicture({160, 20}), "Image3"), 4, 0);
    layout->addWidget(textLabel("Gravity-fed rural water-supply schemes:\nprofiles, schematics, "
                                "survey reductions and pipe design.",
                                "lblContact", plain),
                      5, 0, 1, 2);
    auto* command1 = new QPushButton("OK");
    command1->setObjectName("Command1");
    command1->setDefault(true);
    layout->addWidget(command1, 6, 1, Qt::AlignRight);
    connect(command1, &QPushButton::clicked, this, [this] { ok(); });
    setFixedSize(sizeHint());
}

void AboutBox::showOwned() {
    if (parentWidget() != mainWindow_) setParent(mainWindow_, Qt::Dialog);
    show();
    raise();
}

void AboutBox::showWithoutOwner() {
    if (parentWidget()) setParent(nullptr, Qt::Dialog);
    setEnabled(true);  // no longer switched off with the main window it belonged to
    show();
    raise();
    activateWindow();
}

void AboutBox::ok() {
    hide();
    mainWindow_->setEnabled(true);
    mainWindow_->show();
    mainWindow_->raise();
    mainWindow_->activateWindow();
}

}  // namespace plovis
