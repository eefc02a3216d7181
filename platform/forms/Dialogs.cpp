#include "platform/forms/Dialogs.h"

#include <QWidget>

namespace forms {

FileDialog::FileDialog(FileDialogCall::Kind kind, QObject* owner) : QObject(owner) {
    m_call.kind = kind;
}

bool FileDialog::execute() {
    FileDialogCall call = m_call;
    QObject* o = parent();
    while (o && !o->isWidgetType()) o = o->parent();
    call.parent = o ? static_cast<QWidget*>(o)->window() : nullptr;
    if (!Application::fileDialog(call)) return false;
    m_call.fileName = call.fileName;
    m_call.filterIndex = call.filterIndex;
    return true;
}

}  // namespace forms
