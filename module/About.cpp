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

using forms::Kind;
using enum forms::LayoutFlag;

const forms::LayoutRow kRows[] = {
    {Kind::Image, "Image1", "", 12, 12, 32, 32},
    {Kind::Label, "Label1", "", 56, 12, 280, 16},  // the model's name, set at creation
    {Kind::Label, "Label2", "", 56, 34, 100, 16, "Release Version:"},
    {Kind::Label, "La_FwVer", "", 160, 34, 60, 16, "v2.31"},
    {Kind::Label, "Label4", "", 224, 34, 110, 16, "R12(2008/09/11)", "", Hidden},
    {Kind::Button, "BT_Ok", "", 136, 62, 75, 25, "OK"},
};

}  // namespace

const forms::FormLayout AboutLayout = {"TAboutForm",
                                       "Help \\ About",
                                       348,
                                       96,
                                       kRows,
                                       forms::Form::BorderStyle::Single,
                                       forms::Form::Position::OwnerFormCenter};

TAboutForm::TAboutForm(QWidget* owner) : forms::Form(owner) {
    forms::buildLayout(*this, AboutLayout);
    Image1 = forms::findControl<forms::Image>(this, "Image1");
    Label1 = forms::findControl<forms::Label>(this, "Label1");
    Label2 = forms::findControl<forms::Label>(this, "Label2");
    La_FwVer = forms::findControl<forms::Label>(this, "La_FwVer");
    Label4 = forms::findControl<forms::Label>(this, "Label4");
    BT_Ok = forms::findControl<forms::Button>(this, "BT_Ok");
    Image1->setPicture(aboutIcon());
    Label1->setCaption(QString::fromStdString(ModelName + ModelSuffix + " Management Module"));
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
