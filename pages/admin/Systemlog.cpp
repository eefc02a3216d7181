#include "pages/admin/Systemlog.h"

#include <functional>

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

TLogForm::TLogForm(TMainForm& mainForm, QWidget* owner)
    : HvPage(mainForm, owner), tftp(*this, mainForm), m_dir(logFolderTemplate()) {
    buildLayout(SystemlogLayout);
    // A window the user may resize and maximise, centred on the screen as its table says.
    setBorderIcons(true, true);
    OnShow = nullptr;
    findControls();
    Panel1->setFrameShape(QFrame::Box);
    Timer1->OnTimer = [this](QObject* s) { Timer1Timer(s); };
    Clear_Btn->OnClick = [this](QObject* s) { Clear_BtnClick(s); };
    SetBtn->OnClick = [this](QObject* s) { SetBtnClick(s); };
    GetBtn->OnClick = [this](QObject* s) { GetBtnClick(s); };
    CloseBtn->OnClick = [this](QObject*) { close(); };
    OnResize = [this](QObject* s) { FormResize(s); };
    OnCloseQuery = [this](QObject* s, bool& canClose) { FormCloseQuery(s, canClose); };
    setResultControl(StatusBar1);

    // The dialog belongs to this page, so it goes with it.
    logSetForm = new TLogSetForm(mainForm, this);
    create([this] { buildRequests(); }, {GetBtn, Clear_Btn});

    if (m_dir.isValid())
        LogFilePath = (m_dir.path() + QLatin1Char('/') + QLatin1String(kLogFileName)).toStdString();
    if (!m_dir.isValid())
        tftp.reportInitError(QStringLiteral("cannot create a folder for the log"));
    else
        tftp.start(m_dir.path().toStdString(), 5000, std::bind_front(&TLogForm::OnTftpStatus, this));
    // Without the server no log can arrive; the page stays open for the settings.
    if (!tftp.running()) GetBtn->setEnabled(false);
    FormResize(this);
}

void TLogForm::findControls() {
    Panel3 = control<forms::Panel>("Panel3");
    Panel1 = control<forms::Panel>("Panel1");
    Panel2 = control<forms::Panel>("Panel2");
    ViewGrpBox = control<forms::GroupBox>("ViewGrpBox");
    ViewListView = control<forms::ListView>("ViewListView");
    StatusBar1 = control<forms::StatusBar>("StatusBar1");
    ServerEdit = control<forms::Edit>("ServerEdit");
    FileNameEdit = control<forms::Edit>("FileNameEdit");
    GetCoBox = control<forms::ComboBox>("GetCoBox");
    Bt_Clear = control<forms::ComboBox>("Bt_Clear");
    Timer1 = control<forms::Timer>("Timer1");
    Clear_Btn = control<forms::Button>("Clear_Btn");
    SetBtn = control<forms::Button>("SetBtn");
    GetBtn = control<forms::Button>("GetBtn");
    CloseBtn = control<forms::Button>("CloseBtn");
}

void TLogForm::buildRequests() {
    // The log's server, its levels and its clear switch go out together.
    readTogether({[this] {
                      getLogRequest = makeRequest(kMibT097, MVT_SV, 0);
                      getLogRequest->request.messageCallback = [](HvSNMPError*) {};
                      getLogRequest->addEdit(0, "%s", {ServerEdit});
                      getLogRequest->addEdit(1, "%s", {FileNameEdit});
                      getLogRequest->addComboBox(2, GetCoBox);
                      getLogRequest->setStatusBar(StatusBar1);  // the page's first read: its failure shows there
                      return getLogRequest;
                  },
                  [this] {
                      logSetRequest = makeRequest(kMibT096, MVT_SV, 0, false);
                      logSetRequest->addCheckBox(0, logSetForm->SysLevCeBox);
                      logSetRequest->addCheckBox(1, logSetForm->WirelessLevCeBox);
                      logSetRequest->addCheckBox(2, logSetForm->NoticeLevCeBox);
                      logSetRequest->addComboBox(3, logSetForm->RemoteStateComBox);
                      logSetRequest->addEdit(4, "%s", {logSetForm->LogServerEdit});
                      logSetForm->logSetRequest = logSetRequest;
                      return logSetRequest;
                  },
                  [this] {
                      clearRequest = makeRequest(kMibT098, SVT_SV, 0, false);
                      clearRequest->addComboBox(0, Bt_Clear);
                      clearRequest->onAsyncSetDone = [this](HvSNMPRequest2Controls*, HvSNMPError* error) {
                          // The list is emptied only when the device has emptied its log.
                          if (error->code == 0)
                              ViewListView->clearItems();
                          else
                              StatusBar1->setSimpleText(q(error->message));
                      };
                      return clearRequest;
                  }});
    getLogRequest->get();
    logSetRequest->get();
    clearRequest->get();
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
    if (!created() || LogFilePath.empty() || !tftp.running()) return;
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
    guarded([&] { ok = getLogRequest->set(false, true); });
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
    if (!created()) return;
    Bt_Clear->setItemIndex(Bt_Clear->indexOf(QStringLiteral("clear")));
    guarded([this] { clearRequest->set(false, true); });
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
