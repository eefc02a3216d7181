#include "module/Main.h"

#include <QGuiApplication>
#include <QPixmap>

#include <cstdio>

#include "library/HvClock.h"
#include "library/HvException.h"
#include "library/HvSNMPSession.h"
#include "module/About.h"
#include "module/HvPage.h"
#include "module/IpConfig.h"
#include "module/Misc.h"
#include "platform/InstanceLock.h"
#include "platform/IpConfigLines.h"
#include "platform/Paths.h"
#include "platform/RegistryStore.h"

const std::string ModelName = "QMX-7240NT";
const std::string ModelSuffix;
const std::string ModelObjectID = "1.3.6.1.4.1.47011.11.37.9";
const std::string AlreadyRunningMessage = "Another QMX7240NT module is running!";
const std::string BandSettingErrorA = "IEEE802.11g Setting Error!";
const std::string BandSettingSuccessA = "IEEE802.11g Setting Success!";
const std::string BandSettingErrorG = "IEEE802.11g Setting Error!";
const std::string BandSettingSuccessG = "IEEE802.11g Setting Success!";
const std::string BandNameA = "IEEE 802.11g";
const std::string BandNameG = "IEEE 802.11g";
const char* const NoArgumentMessage = "This module is only used in the Vistrel or HP-Openview.";

TMainForm* MainForm = nullptr;

namespace {

// The status poll's one object.
const MibObjectDef kSysDescrTable[] = {
    {"1.3.6.1.2.1.1.1", "sysDescr", HvSyntax::DisplayStr, HvAccess::ReadOnly},
    {},
};

const QColor kLime(0, 255, 0);
const QColor kBlack(0, 0, 0);

constexpr int kPictureWidth = 481;
constexpr int kPictureHeight = 96;
constexpr int kStatusBarHeight = 19;

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

TMainForm::TMainForm(MainFormEnvironment environment, QWidget* owner)
    : forms::Form(owner), m_env(std::move(environment)) {
    buildWindow();
    buildMenu();
    // Default version 3 here is overwritten by FormCreate, as the session start sets its own.
    const std::string programDir = m_env.programDir.empty() ? programFolder() : m_env.programDir;
    MainStartup::loadMessageFiles(MainStartup::programMessageFiles(programDir));
    HvSNMPSession::defaults.version = 3;
    FormCreate();
}

TMainForm::~TMainForm() {
    // A request that goes away waits for its outstanding answers and runs the event loop meanwhile:
    // no timer of this window may fire into it then, and the fields must still be there.
    LedStatus->setEnabled(false);
    LedBlink->setEnabled(false);
    Timer1->setEnabled(false);
    clientInfoProbe.reset();
    for (auto& probe : probeRequests) probe.reset();
    statusRequest.reset();
    if (MainForm == this) MainForm = nullptr;
}

void TMainForm::buildWindow() {
    setCaption(q(ModelName));
    MainMenu1 = new forms::MainMenu(this);

    Image2 = new forms::Image(this);
    Image2->setBounds(0, 0, 479, kPictureHeight);
    Image2->setPicture(QPixmap(QStringLiteral(":/qmx7240nt/main.jpg")));

    // The LEDs lie on the picture, over the marks it draws for them.
    auto led = [&](int left) {
        auto* shape = new forms::Shape(Image2);
        shape->setBounds(left, 45, 13, 9);
        shape->setPenColor(Qt::transparent);
        return shape;
    };
    LED_Power = led(194);
    LED_Lan = led(251);
    LED_WLan = led(274);

    MainStatusBar = new forms::StatusBar(this);
    MainStatusBar->setBounds(0, kPictureHeight, 479, kStatusBarHeight);
    MainStatusBar->addPanel(50);
    // The window writes the simple text; show it.
    MainStatusBar->setSimplePanel(true);

    LedStatus = new forms::Timer(this);
    LedStatus->setInterval(2000);
    LedStatus->OnTimer = [this](QObject* s) { LedStatusTimer(s); };
    // The blink runs only after an answer: until the first outcome the LEDs stay white.
    LedBlink = new forms::Timer(this);
    LedBlink->setEnabled(false);
    LedBlink->setInterval(30);
    LedBlink->OnTimer = [this](QObject* s) { LedBlinkTimer(s); };
    Timer1 = new forms::Timer(this);
    Timer1->setInterval(2000);
    Timer1->OnTimer = [this](QObject* s) { Timer1Timer(s); };

    auto hidden = [&](const char* name, const QString& text) {
        auto* edit = new forms::Edit(this);
        edit->setObjectName(QLatin1String(name));
        edit->setText(text);
        edit->setVisible(false);
        return edit;
    };
    auto own = [&](const char* name) { return hidden(name, QLatin1String(name)); };
    Ed_FwVer = hidden("Ed_FwVer", QString());
    Ed_Countrycode = own("Ed_Countrycode");
    ED_Turbomode = own("ED_Turbomode");
    APModeSupport = own("APModeSupport");
    ifMultiSSID_Edit = own("ifMultiSSID_Edit");
    Ed_Rogue = hidden("Ed_Rogue", QStringLiteral("ifRogueAPsupport"));
    IPAddressEdit = own("IPAddressEdit");
    SubMaskEdit = own("SubMaskEdit");
    NewMultiSupport = own("NewMultiSupport");
    SyslogSupport = own("SyslogSupport");
    Ed_ClientAddSSID = hidden("Ed_ClientAddSSID", QString());
    Ed_KeyTypeSup = own("Ed_KeyTypeSup");
    Ed_IfCluster = own("Ed_IfCluster");
    Ed_Green = own("Ed_Green");
    Ed_DataRateNew = own("Ed_DataRateNew");
    ApmodeStringChangeSupport = own("ApmodeStringChangeSupport");
    mssidAndWdssupport = own("mssidAndWdssupport");
    Ifclientinfosupported = own("Ifclientinfosupported");

    setClientSize(kPictureWidth, kPictureHeight + kStatusBarHeight);
    setBorderStyle(BorderStyle::Single);
    setBorderIcons(true, false);

    pageOpener = [](forms::Form& page) { return page.showModal(); };
    OnClose = [this](QObject*, forms::CloseAction&) { FormClose(); };
}

void TMainForm::FormClose() {
    // A page that waits for its answers, hidden or not, is not waited for: its loop ends, its
    // handler's waits with it, and its opener deletes it.
    for (const QPointer<forms::Form>& page : std::vector<QPointer<forms::Form>>(m_shownPages)) {
        if (auto* hvPage = dynamic_cast<HvPage*>(page.data())) hvPage->programEnds();
        if (page) page->endModal();
    }
}

void TMainForm::buildMenu() {
    // Each page adds its own item when it is built into the module (addPageItem); a top menu
    // without items stays hidden.
    Home1 = MainMenu1->add(QStringLiteral("Home"));
    advanced2 = MainMenu1->add(QStringLiteral("Advanced"));
    tools2 = MainMenu1->add(QStringLiteral("Tools"));
    status2 = MainMenu1->add(QStringLiteral("Status"));
    for (auto* top : {Home1, advanced2, tools2, status2}) top->setVisible(false);
    Help1 = MainMenu1->add(QStringLiteral("Help"));
    About1 = Help1->add(QStringLiteral("About"));
    About1->OnClick = [this](QObject* s) { About1Click(s); };
    // Menus the window carries hidden; none of their items does anything.
    forms::MenuItem* wirelessLan = MainMenu1->add(QStringLiteral("Wireless LAN"));
    for (const char* band : {"802.11g", "802.11"}) {
        forms::MenuItem* sub = wirelessLan->add(QString::fromUtf8(band));
        for (const char* item : {"Basic Information", "Access Control List", "WEP", "MAC", "Physical"})
            sub->add(QString::fromUtf8(item));
    }
    wirelessLan->setVisible(false);
    MIBII1 = MainMenu1->add(QStringLiteral("MIB II"));
    for (const char* item :
         {"IP Counters", "IP Routing", "IP Address Table", "ICMP Counters", "UDP Counters", "SNMP Counters"})
        MIBII1->add(QString::fromUtf8(item));
    Exit1 = MIBII1->add(QStringLiteral("Exit"));
    Exit1->OnClick = [this](QObject* s) { Exit1Click(s); };
    MIBII1->setVisible(false);
    forms::MenuItem* apManagement = MainMenu1->add(QStringLiteral("AP Management"));
    for (const char* item : {"System", "Wireless Table", "IEEE802.1x", "TFTP", "DHCP", "IKCP", "IAPP", "SNMP"})
        apManagement->add(QString::fromUtf8(item));
    apManagement->item(7)->setVisible(false);
    apManagement->setVisible(false);

    // The menu's opening rules, before the items are drawn; a top menu without items never opens.
    advanced2->OnPopup = [this](QObject*) {
        advanced2Click(advanced2);
        applyPageRules(HvTopMenu::Advanced);
    };
    status2->OnPopup = [this](QObject*) {
        status2Click(status2);
        applyPageRules(HvTopMenu::Status);
    };
    Home1->OnPopup = [this](QObject*) { applyPageRules(HvTopMenu::Home); };
    tools2->OnPopup = [this](QObject*) { applyPageRules(HvTopMenu::Tools); };

    // The page registry, handed in by the program entry: one item per row, in the rows' order. The
    // items this window's own rules show and hide are its members.
    static const std::map<std::string, forms::MenuItem* TMainForm::*> kNamedItems = {
        {"adMode1", &TMainForm::adMode1},
        {"adPerformance1", &TMainForm::adPerformance1},
        {"adEncryption2", &TMainForm::adEncryption2},
        {"adGrouping2", &TMainForm::adGrouping2},
        {"Ad_MultiSSID", &TMainForm::Ad_MultiSSID},
        {"Cluster1", &TMainForm::Cluster1},
        {"Firmware1", &TMainForm::Firmware1},
        {"tUpdate2", &TMainForm::tUpdate2},
        {"Client1", &TMainForm::Client1},
        {"SystemLog", &TMainForm::SystemLog},
    };
    for (size_t i = 0; i < m_env.pages.size(); ++i) {
        const HvPageEntry& row = m_env.pages[i];
        forms::MenuItem* item = addPageItem(topMenu(row.menu), QString::fromUtf8(row.caption));
        item->setObjectName(QLatin1String(row.item));
        item->OnClick = [this, i](QObject*) { m_env.pages[i].open(*this); };
        m_pageItems[row.item] = item;
        if (auto named = kNamedItems.find(row.item); named != kNamedItems.end())
            this->*(named->second) = item;
    }
}

void TMainForm::refuse(int exitCode) {
    LedStatus->setEnabled(false);
    LedBlink->setEnabled(false);
    Timer1->setEnabled(false);
    m_refused = true;
    m_exitCode = exitCode;
}

void TMainForm::FormCreate() {
    try {
        HvSNMPSession::initialize(m_env.bootCounterDir);
    } catch (const std::exception& e) {
        // Without a session no request can be built: say why and end, rather than leave a window
        // whose timers fire on requests that were never made.
        refuse(1);
        forms::Application::messageBox(nullptr, QString::fromUtf8(e.what()), forms::Application::title(),
                                       forms::MB_OK);
        return;
    }
    HvSNMPSession::defaults.version = 0;

    std::unique_ptr<RegistryStore> ownRegistry;
    const RegistryStore* registry = m_env.registry;
    if (!registry) {
        ownRegistry = std::make_unique<RegistryFile>(RegistryFile::defaultPath());
        registry = ownRegistry.get();
    }
    std::string helpDir;
    try {
        helpDir = MainStartup::resolveHelpDir(*registry, ModelObjectID);
    } catch (...) {
        helpDir.clear();
    }
    MainStartup::loadMessageFiles(MainStartup::helpMessageFiles(helpDir));
    const std::string mbfDir = MainStartup::resolveMbfDir(*registry);

    if (m_env.arguments.empty()) {
        refuse(0);
        forms::Application::messageBox(nullptr, QString::fromLatin1(NoArgumentMessage),
                                       forms::Application::title(), forms::MB_OK);
        // The probes are not made: they would only ask the default address for nothing.
        return;
    }
    MainStartup::applyCommandLine(m_env.arguments, mbfDir, HvSNMPSession::defaults, session);
    setCaption(caption() + QStringLiteral(" : ") + q(session.ipAddress));

    const std::string lockCaption = caption().toStdString();
    m_lock = m_env.lockFolder.empty() ? std::make_unique<InstanceLock>(lockCaption)
                                      : std::make_unique<InstanceLock>(lockCaption, m_env.lockFolder);
    if (!m_lock->acquired()) {
        if (m_lock->status() == InstanceLock::Status::Failed)
            std::fprintf(stderr, "qmx7240nt: %s\n", m_lock->errorText().c_str());
        refuse(1);
        forms::Application::messageBox(nullptr, q(AlreadyRunningMessage), QStringLiteral("Warning"),
                                       forms::MB_OK);
        return;
    }

    statusRequest = std::make_unique<HvSNMPRequest>();
    statusRequest->varList = HvSNMPVarList(kSysDescrTable, SVT_SV, 0);
    LedStatusTimer(nullptr);
    buildProbes();
}

void TMainForm::buildProbes() {
    const auto& table = probeTable();
    for (int i = 0; i < kProbeCount; ++i) {
        const ProbeDef& def = table[static_cast<size_t>(i)];
        auto probe = std::make_unique<CapabilityProbe>(this, def.table);
        auto* first = findChild<forms::Edit*>(QLatin1String(def.edit));
        if (def.secondEdit) {
            probe->addEdit(1, def.format, {first});
            probe->addEdit(2, def.format, {findChild<forms::Edit*>(QLatin1String(def.secondEdit))});
        } else {
            probe->addEdit(0, def.format, {first});
        }
        probeRequests[static_cast<size_t>(i)] = std::move(probe);
    }
    std::string failure;
    for (int i : CapabilityPoll::startup().probes) {
        try {
            probeRequests[static_cast<size_t>(i)]->get();
        } catch (const std::exception& e) {
            if (failure.empty()) failure = e.what();
        }
    }
    if (!failure.empty()) MainStatusBar->setSimpleText(q(failure));
}

void TMainForm::LedStatusTimer(QObject*) {
    LedStatus->setEnabled(false);
    if (!statusRequest) return;
    try {
        statusRequest->getAsync([this](HvSNMPError* error, HvSNMPVarList*) { OnStatusReply(error); }, true);
    } catch (const HvException& e) {
        // A poll that cannot even be sent is a failed poll: the LEDs say so and polling goes on.
        HvSNMPError error;
        error.code = e.helpContext() != 0 ? e.helpContext() : HvErrBadAddress;
        error.message = e.what();
        OnStatusReply(&error);
    }
}

void TMainForm::setLeds(const QColor& color) {
    for (auto* led : {LED_Power, LED_Lan, LED_WLan}) {
        led->setBrushColor(color);
        led->setVisible(true);
    }
}

void TMainForm::OnStatusReply(HvSNMPError* error) {
    HvSNMPError none;
    if (!error) error = &none;
    std::string text;
    if (error->code != 0) {
        setLeds(kBlack);
        text = error->message;
    } else {
        // The template without its variable list: "Get: <message>. Receive at <time>."
        text = HvFillResultLine(HvMessageText(HvMessageTable::ResultLines, 0), error->message, std::string(),
                                HvFormatTime12(HvNow().time(), true));
        LedBlinkTimer(nullptr);
    }
    MainStatusBar->setSimpleText(q(text));
    lastStatusText = MainStatusBar->simpleText().toStdString();
    lastStatusCode = error->code;
    LedStatus->setEnabled(true);
}

void TMainForm::LedBlinkTimer(QObject*) {
    if (!LedBlink->enabled()) {
        LedBlink->tag = 0;
        LED_Lan->setBrushColor(kLime);
        LED_WLan->setBrushColor(kLime);
        LedBlink->setEnabled(true);
    }
    auto toggle = [](forms::Shape* led) {
        led->setBrushColor(led->brushColor() != kBlack ? kBlack : kLime);
        led->setVisible(true);
    };
    LED_Power->setBrushColor(kLime);
    LED_Power->setVisible(true);
    toggle(LED_Lan);
    if (LedBlink->tag % 4 == 0) toggle(LED_WLan);
    LedBlink->tag = LedBlink->tag + 1;
    if (LedBlink->tag >= 24) LedBlink->setEnabled(false);
}

void TMainForm::Timer1Timer(QObject*) {
    if (!probeRequests[0]) return;
    std::array<bool, kProbeCount> answered{};
    std::array<bool, kProbeCount> busy{};
    for (size_t i = 0; i < answered.size(); ++i) {
        answered[i] = probeRequests[i]->answered();
        busy[i] = probeRequests[i]->busy;
    }
    const CapabilityPoll::Plan plan = CapabilityPoll::tick(pollTicks, answered, busy);
    if (plan.clear)
        for (const auto& name : clearedFields())
            if (auto* edit = findChild<forms::Edit*>(QString::fromStdString(name))) edit->setText(QString());
    // One probe that cannot be built must not keep the others from being read.
    std::string failure;
    for (int i : plan.probes) {
        try {
            probeRequests[static_cast<size_t>(i)]->get();
        } catch (const std::exception& e) {
            if (failure.empty()) failure = e.what();
        }
    }
    if (!failure.empty()) MainStatusBar->setSimpleText(q(failure));
}

void TMainForm::advanced2Click(QObject*) {
    advancedVisibility = MainMenuRules::advancedVisibility(Ed_FwVer->text(), ifMultiSSID_Edit->text(),
                                                           NewMultiSupport->text(), Ed_IfCluster->text());
    auto show = [](forms::MenuItem* item, bool visible) {
        if (item) item->setVisible(visible);
    };
    show(adMode1, advancedVisibility.mode);
    show(adEncryption2, advancedVisibility.encryption);
    show(Ad_MultiSSID, advancedVisibility.multiSsid);
    show(adGrouping2, advancedVisibility.grouping);
    show(Cluster1, advancedVisibility.apDomains);
}

void TMainForm::status2Click(QObject*) {
    auto apply = [this] {
        if (Client1) Client1->setVisible(clientInfoVisible);
        if (SystemLog) SystemLog->setVisible(logVisible);
    };
    // Compared by code: the time-out's message text depends on the message files.
    if (lastStatusCode == kTimeoutCode) {
        clientInfoVisible = false;
        apply();
        return;
    }
    if (!clientInfoProbe) {
        // One probe for the whole run; it is synchronous, so it is never busy between openings.
        clientInfoProbe = std::make_unique<CapabilityProbe>(this, kMibT066);
        clientInfoProbe->mode = 0;
        clientInfoProbe->addEdit(0, "%u", {Ifclientinfosupported});
    }
    bool ok = false;
    bool timedOut = false;
    try {
        ok = clientInfoProbe->get();
        // The probe's own outcome: its synchronous wait runs none of the poll's completions, so the
        // poll's code cannot tell of a device that has just gone silent.
        const auto& failure = clientInfoProbe->unansweredRead;
        timedOut = !ok && failure && failure->code == kTimeoutCode;
    } catch (const std::exception&) {
        ok = false;
    }
    if (ok) {
        clientInfoVisible = Ifclientinfosupported->text() == u"1";
    } else {
        if (timedOut) {
            clientInfoVisible = false;
            apply();
            return;
        }
        clientInfoVisible = MainMenuRules::clientInfoFallback(q(ModelName), Ed_FwVer->text());
    }
    if (auto log = MainMenuRules::logVisibility(SyslogSupport->text())) logVisible = *log;
    apply();
}

const QString TMainForm::kOpeningPageText = QStringLiteral("Reading the page's settings from the device ...");

TMainForm::PageCreation::PageCreation(TMainForm& mainForm)
    : m_mainForm(mainForm), m_status(mainForm.MainStatusBar->simpleText()) {
    // A silent device keeps a creation's reads waiting for their time-outs, many seconds in all.
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    m_mainForm.MainStatusBar->setSimpleText(kOpeningPageText);
    m_mainForm.MainStatusBar->repaint();
}

TMainForm::PageCreation::~PageCreation() {
    QGuiApplication::restoreOverrideCursor();
    if (m_mainForm.MainStatusBar->simpleText() == kOpeningPageText)
        m_mainForm.MainStatusBar->setSimpleText(m_status);
}

int TMainForm::runPage(forms::Form& page) {
    return pageOpener ? pageOpener(page) : page.showModal();
}

void TMainForm::About1Click(QObject*) {
    // The About box has no form variable; a new one at every opening.
    auto* box = new TAboutForm(this);
    runPage(*box);
    delete box;
}

void TMainForm::Exit1Click(QObject*) {
    forms::Form::close();
}

forms::MenuItem* TMainForm::addPageItem(forms::MenuItem* topMenu, const QString& caption) {
    forms::MenuItem* item = topMenu->add(caption);
    topMenu->setVisible(true);
    return item;
}

forms::MenuItem* TMainForm::pageItem(const std::string& item) const {
    auto found = m_pageItems.find(item);
    return found == m_pageItems.end() ? nullptr : found->second;
}

forms::MenuItem* TMainForm::topMenu(HvTopMenu menu) const {
    switch (menu) {
        case HvTopMenu::Home:
            return Home1;
        case HvTopMenu::Advanced:
            return advanced2;
        case HvTopMenu::Tools:
            return tools2;
        case HvTopMenu::Status:
            return status2;
    }
    return tools2;
}

void TMainForm::applyPageRules(HvTopMenu menu) {
    for (const HvPageEntry& row : m_env.pages)
        if (row.menu == menu && row.visible)
            if (forms::MenuItem* item = pageItem(row.item)) item->setVisible(row.visible(*this));
}

void TMainForm::FindLocalAddresses(std::vector<std::string>& result) {
    IpConfig::FindLocalAddresses(HvIpConfigLines(), result);
}
