#include "pages/admin/Systemlog.h"

#include <QDir>
#include <QFile>

#include "module/FileRoad.h"
#include "module/Main.h"
#include "module/Misc.h"
#include "pages/admin/Logset.h"

QPointer<TLogForm> LogForm;

namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

// A folder of this process's own for received logs; the runtime folder when there is one.
QString logFolderTemplate() {
    QString base = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (base.isEmpty() || !QDir(base).exists()) base = QDir::tempPath();
    return base + QStringLiteral("/qmx7240nt-log-XXXXXX");
}

const char* const kNoLog = "The device did not send its log.";
// The device takes up to 20 s to send: the status bar says what the page waits for.
const char* const kWaitingForLog = "Waiting for the device to send its log...";
const char* const kReceivingLog = "Receiving the device's log...";
const char* const kLogArrived = "The device's log arrived.";

}  // namespace

TLogForm::TLogForm(QWidget* owner, TMainForm* mainForm)
    : forms::Form(owner),
      tftp(*this, mainForm ? *mainForm : *MainForm),
      m_mainForm(mainForm ? mainForm : MainForm),
      m_dir(logFolderTemplate()) {
    setCaption(QStringLiteral("Status \\ Log"));
    setClientSize(479, 390);
    setPosition(Position::ScreenCenter);

    Panel3 = new forms::Panel(this);
    Panel1 = new forms::Panel(this);
    Panel1->setFrameShape(QFrame::Box);
    Panel2 = new forms::Panel(Panel1);
    ViewGrpBox = new forms::GroupBox(QStringLiteral("View Log"), Panel2);
    ViewListView = new forms::ListView(ViewGrpBox);
    ViewListView->addColumn(QStringLiteral("Time"), 120);
    ViewListView->addColumn(QStringLiteral("Type"), 70);
    ViewListView->addColumn(QStringLiteral("Message"), 250);
    StatusBar1 = new forms::StatusBar(this);
    StatusBar1->setSimplePanel(true);

    ServerEdit = new forms::Edit(this);
    ServerEdit->setVisible(false);
    FileNameEdit = new forms::Edit(this);
    FileNameEdit->setVisible(false);
    GetCoBox = new forms::ComboBox(this);
    GetCoBox->setVisible(false);
    Bt_Clear = new forms::ComboBox(this);
    Bt_Clear->setVisible(false);

    Timer1 = new forms::Timer(this);
    Timer1->setEnabled(false);
    Timer1->setInterval(1000);
    Timer1->OnTimer = [this](QObject* s) { Timer1Timer(s); };

    Clear_Btn = new forms::Button(QStringLiteral("Clear"), Panel3);
    SetBtn = new forms::Button(QStringLiteral("Log Settings"), Panel3);
    GetBtn = new forms::Button(QStringLiteral("Get Log"), Panel3);
    CloseBtn = new forms::Button(QStringLiteral("Close"), Panel3);
    for (auto* b : {Clear_Btn, SetBtn, GetBtn, CloseBtn}) b->setBounds(0, 5, 90, 25);
    Clear_Btn->OnClick = [this](QObject* s) { Clear_BtnClick(s); };
    SetBtn->OnClick = [this](QObject* s) { SetBtnClick(s); };
    GetBtn->OnClick = [this](QObject* s) { GetBtnClick(s); };
    CloseBtn->OnClick = [this](QObject*) { close(); };
    SetBtn->setEnabled(false);

    OnResize = [this](QObject* s) { FormResize(s); };
    OnCloseQuery = [this](QObject* s, bool& canClose) { FormCloseQuery(s, canClose); };
    FormCreate();
    FormResize(this);
}

TLogForm::~TLogForm() {
    // The requests go before the controls they are bound to.
    clearRequest.reset();
    logSetRequest.reset();
    getLogRequest.reset();
}

void TLogForm::FormCreate() {
    try {
        getLogRequest = std::make_unique<HvSNMPRequest2Edits>(this);
        getLogRequest->request.varList = HvSNMPVarList(kMibT097, MVT_SV, 0);
        getLogRequest->mode = 0;
        getLogRequest->request.messageCallback = [](HvSNMPError*) {};
        getLogRequest->addEdit(0, "%s", {ServerEdit});
        getLogRequest->addEdit(1, "%s", {FileNameEdit});
        getLogRequest->addComboBox(2, GetCoBox);
        getLogRequest->setStatusBar(StatusBar1);  // the page's first read: its failure shows there
        getLogRequest->get();
    } catch (const std::exception& e) {
        StatusBar1->setSimpleText(QString::fromUtf8(e.what()));
    }

    // The dialog belongs to this page, so it goes with it.
    logSetForm = new TLogSetForm(this, m_mainForm);
    try {
        logSetRequest = std::make_unique<HvSNMPRequest2Edits>(this);
        logSetRequest->request.varList = HvSNMPVarList(kMibT096, MVT_SV, 0);
        logSetRequest->mode = 1;
        logSetRequest->addCheckBox(0, logSetForm->SysLevCeBox);
        logSetRequest->addCheckBox(1, logSetForm->WirelessLevCeBox);
        logSetRequest->addCheckBox(2, logSetForm->NoticeLevCeBox);
        logSetRequest->addComboBox(3, logSetForm->RemoteStateComBox);
        logSetRequest->addEdit(4, "%s", {logSetForm->LogServerEdit});
        logSetForm->logSetRequest = logSetRequest.get();
        logSetRequest->get();
    } catch (const std::exception& e) {
        StatusBar1->setSimpleText(QString::fromUtf8(e.what()));
    }

    try {
        clearRequest = std::make_unique<HvSNMPRequest2Edits>(this);
        clearRequest->request.varList = HvSNMPVarList(kMibT098, SVT_SV, 0);
        clearRequest->mode = 1;
        clearRequest->addComboBox(0, Bt_Clear);
        clearRequest->onAsyncSetDone = [this](HvSNMPRequest2Controls*, HvSNMPError* error) {
            // The list is emptied only when the device has emptied its log.
            if (error->code == 0)
                ViewListView->clearItems();
            else
                StatusBar1->setSimpleText(q(error->message));
        };
        clearRequest->get();
    } catch (const std::exception& e) {
        StatusBar1->setSimpleText(QString::fromUtf8(e.what()));
    }

    if (m_dir.isValid())
        LogFilePath = (m_dir.path() + QLatin1Char('/') + QLatin1String(kLogFileName)).toStdString();
    if (!m_dir.isValid())
        tftp.reportInitError(QStringLiteral("cannot create a folder for the log"));
    else
        tftp.start(m_dir.path().toStdString(), 5000,
                   [this](const HvTFTPMsg& msg, bool& cancel) { OnTftpStatus(msg, cancel); });
    // Without the server no log can arrive; the page stays open for the settings.
    if (!tftp.running()) GetBtn->setEnabled(false);
}

void TLogForm::FormResize(QObject*) {
    const int w = clientWidth();
    const int h = clientHeight();
    const int statusHeight = 19;
    Panel3->setBounds(0, h - statusHeight - 35, w, 35);
    Panel1->setBounds(0, 0, w, h - statusHeight - 35);
    Panel2->setBounds(8, 9, Panel1->width() - 20, Panel1->height() - 20);
    ViewGrpBox->setBounds(0, 0, Panel2->width(), Panel2->height());
    ViewListView->setBounds(8, 18, ViewGrpBox->width() - 16, ViewGrpBox->height() - 26);
    Clear_Btn->setLeft(w * 40 / 478);
    SetBtn->setLeft(w * 142 / 478);
    GetBtn->setLeft(w * 252 / 478);
    CloseBtn->setLeft(w * 368 / 478);
}

void TLogForm::GetBtnClick(QObject*) {
    if (LogFilePath.empty() || !tftp.running()) return;
    // The device writes under this name inside the server's root, the page's own folder.
    FileNameEdit->setText(QLatin1String(kLogFileName));
    if (!tftp.checkAddressAndPath(ServerEdit, StatusBar1, LogFilePath)) return;
    // Whatever lies there is an older log: only what the device sends now is shown.
    QFile::remove(q(LogFilePath));
    tftp.arm(std::string(), HvTFTP_Write, kLogFileName);
    m_waiting = true;
    m_transferring = false;
    StatusBar1->setSimpleText(QLatin1String(kWaitingForLog));

    GetCoBox->setItemIndex(GetCoBox->indexOf(QStringLiteral("get")));
    bool ok = false;
    try {
        ok = getLogRequest && getLogRequest->set(false, true);
    } catch (const std::exception& e) {
        StatusBar1->setSimpleText(QString::fromUtf8(e.what()));
    }
    if (!ok) {
        // The device was not told to send: no log will come.
        finishGet(false);
        return;
    }
    countdown = kStartTicks;
    Timer1->setEnabled(true);
}

void TLogForm::Timer1Timer(QObject*) {
    if (!m_waiting) {
        Timer1->setEnabled(false);
        return;
    }
    // A transfer under way ends by itself, with the server's own time-out at the latest.
    if (m_transferring) return;
    if (--countdown < 1) finishGet(false);
}

void TLogForm::OnTftpStatus(const HvTFTPMsg& msg, bool&) {
    if (!m_waiting || msg.kind != HvTFTP_Write || msg.fileName != kLogFileName) return;
    if (msg.status == HvTFTP_Connected || msg.status == HvTFTP_Transferring) {
        if (!m_transferring) StatusBar1->setSimpleText(QLatin1String(kReceivingLog));
        m_transferring = true;
    } else if (msg.status == HvTFTP_Success) {
        finishGet(true);
    } else if (msg.status < 0) {
        finishGet(false);
    }
}

void TLogForm::finishGet(bool arrived) {
    m_waiting = false;
    m_transferring = false;
    Timer1->setEnabled(false);
    tftp.disarm();
    // A file that did not arrive leaves the lines shown before, as the page always did.
    const bool loaded = LoadLogFile(arrived ? LogFilePath : std::string());
    StatusBar1->setSimpleText(QLatin1String(loaded ? kLogArrived : kNoLog));
}

bool TLogForm::LoadLogFile(const std::string& path) {
    bool result = false;
    QFile file(q(path));
    if (!path.empty() && file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.read(FileRoad::kMaxLogBytes);
        LBLog = FileRoad::SplitLogLines(bytes.toStdString());
        result = true;
    }
    ViewListView->clearItems();
    for (const std::string& line : LBLog) {
        if (line.empty()) continue;
        const FileRoad::LogRow row = FileRoad::ParseLogLine(line);
        ViewListView->addItem(
            QString::fromLatin1(row.time.data(), static_cast<int>(row.time.size())),
            {QString::fromLatin1(row.type.data(), static_cast<int>(row.type.size())),
             QString::fromLatin1(row.message.data(), static_cast<int>(row.message.size()))});
    }
    SetBtn->setEnabled(true);
    return result;
}

void TLogForm::Clear_BtnClick(QObject*) {
    if (!clearRequest) return;
    Bt_Clear->setItemIndex(Bt_Clear->indexOf(QStringLiteral("clear")));
    try {
        clearRequest->set(false, true);
    } catch (const std::exception& e) {
        StatusBar1->setSimpleText(QString::fromUtf8(e.what()));
    }
}

void TLogForm::SetBtnClick(QObject*) {
    if (logSetForm->RemoteStateComBox->text().compare(QStringLiteral("disable"), Qt::CaseInsensitive) == 0)
        logSetForm->LogServerEdit->setText(QString());
    logSetForm->showModal();
}

void TLogForm::FormCloseQuery(QObject*, bool& canClose) {
    canClose = true;
    m_waiting = false;
    Timer1->setEnabled(false);
    tftp.stop();
}
