#include "module/HvPageTftp.h"

#include "library/HvNetInterface.h"
#include "module/FileRoad.h"
#include "module/Main.h"

const char* const HvPageTftp::kNoAddress = "No address of this PC lies in the device's network.";

bool FindLocalAddress(forms::Edit* edit, TMainForm& mainForm) {
    const std::string address = mainForm.IPAddressEdit->text().toStdString();
    const std::string mask = mainForm.SubMaskEdit->text().toStdString();
    if (address.empty() || mask.empty()) return false;
    const std::string found = FileRoad::FindLocalAddress(HvGetNetInterfaces(), address, mask, [&mainForm] {
        std::vector<std::string> result;
        mainForm.FindLocalAddresses(result);
        return result;
    });
    if (found.empty()) return false;
    edit->setText(QString::fromStdString(found));
    return true;
}

HvPageTftp::HvPageTftp(forms::Form& page, TMainForm& mainForm) : m_page(page), m_main(mainForm) {}

HvPageTftp::~HvPageTftp() {
    // The server goes with this object, its sessions' status with it: the page's handlers it holds
    // go with the page, and a page ends its requests after its own members, running the event loop.
    delete m_server;
}

bool HvPageTftp::start(const std::string& root, int timeoutMs, HvTFTPStatusCallback onStatus) {
    auto server = std::make_unique<HvTFTPServer>(&m_page);
    server->SetTimeoutRetries(timeoutMs, 3);
    server->SetOnStatus(std::move(onStatus));
    try {
        server->Start(root, 69);
    } catch (const std::exception& e) {
        reportInitError(QString::fromUtf8(e.what()));
        return false;
    }
    m_server = server.release();
    return true;
}

void HvPageTftp::reportInitError(const QString& reason) {
    forms::Application::messageBox(&m_page, QStringLiteral("TFTP Service Init Error:") + reason,
                                   forms::Application::title(), forms::MB_OK);
}

bool HvPageTftp::checkAddressAndPath(forms::Edit* serverEdit, forms::StatusBar* status,
                                     const std::string& path) {
    serverEdit->setText(QString());
    if (!FindLocalAddress(serverEdit, m_main)) {
        status->setSimpleText(QLatin1String(kNoAddress));
        return false;
    }
    if (!FileRoad::IsUsablePath(path)) {
        forms::Application::messageBox(&m_page, QStringLiteral("The file path is error."),
                                       QStringLiteral("Warning"), forms::MB_OK);
        return false;
    }
    return true;
}

void HvPageTftp::arm(const std::string& folder, int32_t kind, const std::string& name) {
    if (!m_server) return;
    if (!folder.empty()) m_server->Start(folder, 69);
    m_server->ClearExpectedTransfers();
    m_server->SetDeviceAddress(m_main.ipAddress());
    m_server->ExpectTransfer(kind, name);
}

void HvPageTftp::disarm() {
    if (m_server) m_server->ClearExpectedTransfers();
}

void HvPageTftp::stop() {
    if (!m_server) return;
    m_server->ClearExpectedTransfers();
    m_server->Stop();
}
