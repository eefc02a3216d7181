#pragma once

// Unit Main: the module's main window. It starts the module from its command line, watches the
// device (status LEDs, status line), keeps the capability fields the pages read, and opens the pages
// from its menu.

#include <QPointer>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "library/HvSNMPError.h"
#include "library/HvSNMPRequest.h"
#include "module/CapabilityPoll.h"
#include "module/MainMenuRules.h"
#include "module/MainStartup.h"
#include "module/PageRegistry.h"
#include "platform/forms/Forms.h"

class InstanceLock;
class RegistryStore;

extern const std::string ModelName;
extern const std::string ModelSuffix;
extern const std::string ModelObjectID;
extern const std::string AlreadyRunningMessage;
extern const std::string BandSettingErrorA;
extern const std::string BandSettingSuccessA;
extern const std::string BandSettingErrorG;
extern const std::string BandSettingSuccessG;
extern const std::string BandNameA;
extern const std::string BandNameG;
extern const char* const NoArgumentMessage;

// The library's code of a request that timed out.
inline constexpr int32_t kTimeoutCode = -405;

// What start-up reads from outside the command line. Tests give their own registry, folders and
// lock folder; the program takes the defaults.
struct MainFormEnvironment {
    std::vector<std::string> arguments;       // without the program's name
    const RegistryStore* registry = nullptr;  // null: the registry file
    std::string programDir;                   // with a trailing '/'; empty: the program's folder
    std::string lockFolder;                   // empty: InstanceLock::defaultFolder()
    std::string bootCounterDir;               // empty: the working folder
    std::vector<HvPageEntry> pages;           // the page registry: the menu's page items
};

class TMainForm;
// The one main window; pages read the capability fields and the LEDs through it. Set by the
// program entry (and by tests).
extern TMainForm* MainForm;

class TMainForm : public forms::Form {
public:
    // Loads the message files, then runs the creation step (FormCreate).
    explicit TMainForm(MainFormEnvironment environment, QWidget* owner = nullptr);
    ~TMainForm() override;

    // Start-up was refused (no argument, the device's module already running, or the SNMP session
    // could not start): the message has been shown and the program should end with exitCode().
    bool refused() const { return m_refused; }
    int exitCode() const { return m_exitCode; }

    // Published components.
    forms::MainMenu* MainMenu1 = nullptr;
    forms::Image* Image2 = nullptr;
    forms::Shape* LED_Power = nullptr;
    forms::Shape* LED_Lan = nullptr;
    forms::Shape* LED_WLan = nullptr;
    forms::StatusBar* MainStatusBar = nullptr;
    forms::Timer* LedStatus = nullptr;
    forms::Timer* LedBlink = nullptr;
    forms::Timer* Timer1 = nullptr;

    // The capability fields: hidden edits the probes write and the pages read.
    forms::Edit* Ed_FwVer = nullptr;
    forms::Edit* Ed_Countrycode = nullptr;
    forms::Edit* ED_Turbomode = nullptr;
    forms::Edit* APModeSupport = nullptr;
    forms::Edit* ifMultiSSID_Edit = nullptr;
    forms::Edit* Ed_Rogue = nullptr;
    forms::Edit* IPAddressEdit = nullptr;
    forms::Edit* SubMaskEdit = nullptr;
    forms::Edit* NewMultiSupport = nullptr;
    forms::Edit* SyslogSupport = nullptr;
    forms::Edit* Ed_ClientAddSSID = nullptr;
    forms::Edit* Ed_KeyTypeSup = nullptr;
    forms::Edit* Ed_IfCluster = nullptr;
    forms::Edit* Ed_Green = nullptr;
    forms::Edit* Ed_DataRateNew = nullptr;
    forms::Edit* ApmodeStringChangeSupport = nullptr;
    forms::Edit* mssidAndWdssupport = nullptr;
    forms::Edit* Ifclientinfosupported = nullptr;

    // Menu items. The items of pages not built into this module stay null; the opening handlers
    // apply their rules to the items that exist.
    forms::MenuItem* Home1 = nullptr;
    forms::MenuItem* tools2 = nullptr;
    forms::MenuItem* Help1 = nullptr;
    forms::MenuItem* About1 = nullptr;
    forms::MenuItem* MIBII1 = nullptr;
    forms::MenuItem* Exit1 = nullptr;
    forms::MenuItem* advanced2 = nullptr;
    forms::MenuItem* adMode1 = nullptr;
    forms::MenuItem* adPerformance1 = nullptr;
    forms::MenuItem* adEncryption2 = nullptr;
    forms::MenuItem* adGrouping2 = nullptr;
    forms::MenuItem* Ad_MultiSSID = nullptr;
    forms::MenuItem* Cluster1 = nullptr;
    forms::MenuItem* Firmware1 = nullptr;
    forms::MenuItem* tUpdate2 = nullptr;
    forms::MenuItem* status2 = nullptr;
    forms::MenuItem* Client1 = nullptr;
    forms::MenuItem* SystemLog = nullptr;

    // Members of its own.
    std::array<std::unique_ptr<CapabilityProbe>, kProbeCount> probeRequests;
    std::unique_ptr<HvSNMPRequest> statusRequest;
    int32_t pollTicks = 0;
    MainStartup::SessionTexts session;  // ipAddress and the applied session parameters
    std::string tableName;
    std::string lastStatusText;
    // The outcome of the last status poll (0: the device answered); what a lime LED means.
    int32_t lastStatusCode = 1;
    std::unique_ptr<CapabilityProbe> clientInfoProbe;  // the Status menu's probe, made on first use
    QStringList ipAddresses;
    QStringList gateways;
    QStringList localAddresses;

    const std::string& ipAddress() const { return session.ipAddress; }
    // The last status poll got an answer.
    bool deviceAnswering() const { return lastStatusCode == 0; }

    // The menu's visibility as the opening handlers left it (also without the items).
    MainMenuRules::AdvancedVisibility advancedVisibility;
    bool clientInfoVisible = true;
    bool logVisible = true;

    // Handlers.
    void LedStatusTimer(QObject* sender);
    void OnStatusReply(HvSNMPError* error);
    void LedBlinkTimer(QObject* sender);
    void Timer1Timer(QObject* sender);
    void advanced2Click(QObject* sender);
    void status2Click(QObject* sender);
    void About1Click(QObject* sender);
    void Exit1Click(QObject* sender);
    // The generic page builder's pages; no menu item opens them (MainBuilderPages.cpp).
    void adSecSettingKey1Click(QObject* sender);
    void Function1Click(QObject* sender);
    void DynamicTable1Click(QObject* sender);
    void adStatic2Click(QObject* sender);
    void adSecServSet1Click(QObject* sender);
    void dot11g1Click(QObject* sender);
    void dot11b1Click(QObject* sender);
    void N80211a3Click(QObject* sender);
    void N80211g3Click(QObject* sender);

    // Adds a page's item to one of the top menus (Home1, advanced2, tools2, status2) and shows that
    // menu; the Advanced and Status menus run their opening handlers from their first item on.
    forms::MenuItem* addPageItem(forms::MenuItem* topMenu, const QString& caption);
    // The item a registry row made, by the row's item name; null when no row names it.
    forms::MenuItem* pageItem(const std::string& item) const;

    // The gateways that share a /24 network with one of the PC's addresses (ipconfig-style listing).
    void FindLocalAddresses(std::vector<std::string>& result);

    // How a page is shown: modally by default; tests replace it to see which page would open.
    std::function<int(forms::Form& page)> pageOpener;

    // Shows page through pageOpener, then deletes it and clears the variable that held it. A page of
    // the kind that still lives (hidden while its answers come) keeps its variable: the new one is
    // not shown, and the one living is deleted when its own loop ends.
    template <class TPage>
    void openModal(QPointer<TPage>& formVar, TPage* page) {
        if (formVar && formVar.data() != page) {
            delete page;
            return;
        }
        formVar = page;
        QPointer<TPage> shown(page);
        m_shownPages.emplace_back(page);
        runPage(*page);
        std::erase(m_shownPages, QPointer<forms::Form>());
        std::erase(m_shownPages, QPointer<forms::Form>(page));
        delete shown.data();
        formVar = nullptr;
    }
    // Makes the page with make (the wait cursor and our status text on this window while its
    // creation reads the device), then openModal. Nothing is made while a page of the kind lives.
    template <class TPage, class Make>
    void openPage(QPointer<TPage>& formVar, Make make) {
        if (formVar) return;
        TPage* page = nullptr;
        {
            const PageCreation creation(*this);
            page = make(*this);
        }
        openModal(formVar, page);
    }

    // While a page's creation waits on its reads: the wait cursor, and this window's status line
    // says so; both are given back afterwards (the status line unless a poll has written it since).
    class PageCreation {
    public:
        explicit PageCreation(TMainForm& mainForm);
        ~PageCreation();
        PageCreation(const PageCreation&) = delete;
        PageCreation& operator=(const PageCreation&) = delete;

    private:
        TMainForm& m_mainForm;
        QString m_status;
    };
    static const QString kOpeningPageText;

private:
    void buildWindow();
    void buildMenu();
    forms::MenuItem* topMenu(HvTopMenu menu) const;
    // The registry's rules of the items under top, after the menu's own.
    void applyPageRules(HvTopMenu menu);
    void buildProbes();
    void FormCreate();
    void refuse(int exitCode);
    void setLeds(const QColor& color);
    int runPage(forms::Form& page);
    struct BuilderPage;
    void openBuilderPage(const BuilderPage& page);

    // The window closes: the program ends, and the pages shown from it end their loops first.
    void FormClose();

    MainFormEnvironment m_env;
    std::vector<QPointer<forms::Form>> m_shownPages;
    std::map<std::string, forms::MenuItem*> m_pageItems;
    std::unique_ptr<InstanceLock> m_lock;
    CapabilityPoll m_poll;
    bool m_refused = false;
    int m_exitCode = 0;
};
