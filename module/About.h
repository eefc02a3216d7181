#pragma once

// Unit About: the Help menu's About box.

#include "platform/forms/Forms.h"
#include "platform/forms/Layout.h"

// The box's controls and their places.
extern const forms::FormLayout AboutLayout;

class TAboutForm : public forms::Form {
public:
    explicit TAboutForm(QWidget* owner);

    forms::Label* Label1 = nullptr;
    forms::Label* Label2 = nullptr;
    forms::Label* La_FwVer = nullptr;
    forms::Label* Label4 = nullptr;
    forms::Image* Image1 = nullptr;
    forms::Button* BT_Ok = nullptr;

    void BT_OkClick(QObject* sender);
    void BT_OkKeyDown(QObject* sender, int& key, Qt::KeyboardModifiers shift);
};
