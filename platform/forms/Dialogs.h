#pragma once

#include <QObject>
#include <QString>

#include "platform/forms/Application.h"

namespace forms {

// The open and save file dialogs. Filters are written as the form library writes them:
// "description|pattern|description|pattern". They go through Application::fileDialog (a test hook).
class FileDialog : public QObject {
public:
    QString fileName() const { return m_call.fileName; }
    void setFileName(const QString& name) { m_call.fileName = name; }
    QString filter() const { return m_call.filter; }
    void setFilter(const QString& filter) { m_call.filter = filter; }
    int filterIndex() const { return m_call.filterIndex; }
    void setFilterIndex(int index) { m_call.filterIndex = index; }
    QString initialDir() const { return m_call.initialDir; }
    void setInitialDir(const QString& dir) { m_call.initialDir = dir; }
    QString title() const { return m_call.title; }
    void setTitle(const QString& title) { m_call.title = title; }

    // True when the user chose a file; fileName is then the chosen one.
    bool execute();

protected:
    FileDialog(FileDialogCall::Kind kind, QObject* owner);

private:
    FileDialogCall m_call;
};

class OpenDialog : public FileDialog {
public:
    explicit OpenDialog(QObject* owner = nullptr) : FileDialog(FileDialogCall::Open, owner) {}
};

class SaveDialog : public FileDialog {
public:
    explicit SaveDialog(QObject* owner = nullptr) : FileDialog(FileDialogCall::Save, owner) {}
};

}  // namespace forms
