#include "module/About.h"

#include <QPainter>
#include <QPixmap>

#include "module/Main.h"

namespace {

// The box's 32 by 32 icon: the main window's LED colours on a dark plate.
QPixmap aboutIcon() {
    QPixmap icon(32, 32);
    icon.fill(QColor(40, 48, 64));
    QPainter p(&icon);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 255, 0));
    p.drawRect(6, 12, 6, 8);
    p.drawRect(20, 12, 6, 8);
    p.setBrush(QColor(220, 220, 220));
    p.drawRect(13, 6, 6, 20);
    return icon;
}

}  // namespace

TAboutForm::TAboutForm(QWidget* owner) : forms::Form(owner) {
    setCaption(QStringLiteral("Help \\ About"));
    setClientSize(348, 96);
    setBorderStyle(BorderStyle::Single);
    setBorderIcons(true, false);
    setPosition(Position::OwnerFormCenter);

    Image1 = new forms::Image(this);
    Image1->setBounds(12, 12, 32, 32);
    Image1->setPicture(aboutIcon());
    Label1 = new forms::Label(QString::fromStdString(ModelName + ModelSuffix + " Management Module"), this);
    Label1->setBounds(56, 12, 280, 16);
    Label2 = new forms::Label(QStringLiteral("Release Version:"), this);
    Label2->setBounds(56, 34, 100, 16);
    La_FwVer = new forms::Label(QStringLiteral("v2.31"), this);
    La_FwVer->setBounds(160, 34, 60, 16);
    Label4 = new forms::Label(QStringLiteral("R12(2008/09/11)"), this);
    Label4->setBounds(224, 34, 110, 16);
    Label4->setVisible(false);
    BT_Ok = new forms::Button(QStringLiteral("OK"), this);
    BT_Ok->setBounds(136, 62, 75, 25);
    BT_Ok->OnClick = [this](QObject* s) { BT_OkClick(s); };
    BT_Ok->OnKeyDown = [this](QObject* s, int& key, Qt::KeyboardModifiers shift) {
        BT_OkKeyDown(s, key, shift);
    };
}

void TAboutForm::BT_OkClick(QObject*) {
    close();
}

void TAboutForm::BT_OkKeyDown(QObject*, int& key, Qt::KeyboardModifiers shift) {
    if (key == Qt::Key_F3 && shift.testFlag(Qt::ShiftModifier) && shift.testFlag(Qt::AltModifier))
        Label4->setVisible(true);
}
