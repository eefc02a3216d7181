#include "KitFixture.h"
#include "LayoutFit.h"

#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QScreen>

#include "platform/forms/Layout.h"

using namespace forms;

namespace {

// A window that fits: captions within their controls, a shape with its label on it (overlapping in
// the table too), two group boxes at one place with one shown, and a status bar below everything.
constexpr LayoutRow kFitting[] = {
    {Kind::Label, "LB_Rate", "", 8, 12, 0, 0, "Data Rate"},
    {Kind::ComboBox, "CB_Rate", "", 100, 8, 121, 21, "", "Best,\"5.5Mb/Sec\",54Mb/Sec"},
    {Kind::CheckBox, "CB_Control", "", 8, 36, 180, 17, "Enable Data Rate Control"},
    {Kind::Shape, "SH_Led", "", 230, 8, 40, 40},
    {Kind::Label, "LB_Led", "SH_Led", 4, 4, 0, 0, "LED"},
    {Kind::GroupBox, "GB_Wds", "", 8, 60, 260, 50, "WDS Settings"},
    {Kind::RadioButton, "RB_On", "GB_Wds", 8, 20, 80, 17, "Enabled"},
    {Kind::GroupBox, "GB_Repeater", "", 8, 60, 260, 50, "Repeater Settings", "", Hidden},
    {Kind::PageControl, "PC_Band", "", 8, 116, 260, 60},
    {Kind::TabSheet, "TS_A", "PC_Band", 0, 0, 0, 0, "802.11a"},
    {Kind::TabSheet, "TS_G", "PC_Band", 0, 0, 0, 0, "802.11g"},
    {Kind::Button, "BT_Apply", "", 8, 182, 75, 25, "Apply"},
    {Kind::Button, "BT_Refresh", "", 90, 182, 75, 25, "Refresh"},
    {Kind::StatusBar, "StatusBar"},
};
constexpr FormLayout kFittingForm{"TFM_Fitting", "Fitting", 280, 230, kFitting};

TEST_F(KitTest, AFittingLayoutHasNoFault) {
    EXPECT_TRUE(layoutFits(kFittingForm));
}

// One fault per window; each must be named once, with the control it concerns.
struct Fault {
    const char* name;
    FormLayout table;
    const char* control;
    const char* words;
    friend void PrintTo(const Fault& f, std::ostream* os) { *os << f.name; }
};

constexpr LayoutRow kButtonCut[] = {{Kind::Button, "BT_Reset", "", 8, 8, 75, 25, "Reset Data Rate Setting"}};
constexpr LayoutRow kCheckCut[] = {{Kind::CheckBox, "CB_Rate", "", 8, 8, 97, 17, "Enable Data Rate Control"}};
constexpr LayoutRow kRadioCut[] = {
    {Kind::RadioButton, "RB_Load", "", 8, 8, 97, 17, "Load settings to Local Hard Disk"}};
constexpr LayoutRow kGroupItemCut[] = {
    {Kind::RadioGroup, "RG_Mode", "", 8, 8, 80, 60, "", "On,\"Load settings to Local Hard Disk\""}};
constexpr LayoutRow kTitleCut[] = {
    {Kind::GroupBox, "GroupBox1", "", 8, 8, 60, 40, "Advance Wireless Settings"}};
constexpr LayoutRow kItemCut[] = {{Kind::ComboBox, "CB_Rate", "", 8, 8, 50, 21, "", "Best,\"5.5Mb/Sec\""}};
constexpr LayoutRow kTabsCut[] = {
    {Kind::PageControl, "PC_Band", "", 8, 8, 60, 60},
    {Kind::TabSheet, "TS_A", "PC_Band", 0, 0, 0, 0, "802.11a"},
    {Kind::TabSheet, "TS_G", "PC_Band", 0, 0, 0, 0, "802.11g"},
};
constexpr LayoutRow kLabelCut[] = {{Kind::Label, "LB_Server", "", 8, 8, 60, 13, "Log Server / IP address"}};
// The label sizes itself over the edit beside it; the table put them side by side.
constexpr LayoutRow kOverlap[] = {
    {Kind::Label, "LB_Beacon", "", 8, 12, 0, 0, "Beacon Interval (20 - 1000)"},
    {Kind::Edit, "Ed_Beacon", "", 80, 8, 121, 21},
};
constexpr LayoutRow kOutside[] = {
    {Kind::GroupBox, "GroupBox1", "", 8, 8, 150, 60, "Log"},
    {Kind::Edit, "Ed_Server", "GroupBox1", 60, 20, 121, 21},
};
constexpr LayoutRow kUnder[] = {
    {Kind::Button, "BT_Apply", "", 8, 140, 75, 25, "Apply"},
    {Kind::StatusBar, "StatusBar"},
};

// The button stands over the edit's lower part, as the table has it: the user cannot reach both.
constexpr LayoutRow kButtonOverEdit[] = {
    {Kind::Edit, "Ed_Privacy", "", 8, 8, 121, 21},
    {Kind::Button, "Bt_Refresh", "", 60, 24, 75, 25, "Refresh"},
};
// A panel meant to cover a list paints no background: the list shows through.
constexpr LayoutRow kShowsThrough[] = {
    {Kind::Panel, "Panel1", "", 8, 8, 150, 100},
    {Kind::ListView, "LV_Pool", "Panel1", 0, 0, 150, 100},
    {Kind::Panel, "Panel2", "", 8, 8, 150, 100},
};
constexpr LayoutRow kColumnCut[] = {
    {Kind::ListView, "LV_Clients", "", 8, 8, 200, 100, "", R"("Client MAC Address=50")"},
};

constexpr FormLayout form(const char* name, std::span<const LayoutRow> rows) {
    return {name, "Fault", 220, 170, rows};
}

const Fault kFaults[] = {
    {"ButtonCaption", form("ButtonCaption", kButtonCut), "BT_Reset", "caption"},
    {"CheckBoxCaption", form("CheckBoxCaption", kCheckCut), "CB_Rate", "caption"},
    {"RadioCaption", form("RadioCaption", kRadioCut), "RB_Load", "caption"},
    {"RadioGroupItem", form("RadioGroupItem", kGroupItemCut), "\"Load settings to Local Hard Disk\"",
     "caption"},
    {"GroupTitle", form("GroupTitle", kTitleCut), "GroupBox1", "title"},
    {"ComboItem", form("ComboItem", kItemCut), "CB_Rate", "item \"5.5Mb/Sec\""},
    {"Tabs", form("Tabs", kTabsCut), "PC_Band", "tabs need"},
    {"LabelCaption", form("LabelCaption", kLabelCut), "LB_Server", "caption"},
    {"Overlap", form("Overlap", kOverlap), "LB_Beacon", "overlaps Ed_Beacon"},
    {"OutsideParent", form("OutsideParent", kOutside), "Ed_Server", "outside GroupBox1"},
    {"UnderStatusBar", form("UnderStatusBar", kUnder), "BT_Apply", "under the status bar"},
    {"ButtonOverEdit", form("ButtonOverEdit", kButtonOverEdit), "Ed_Privacy", "overlaps Bt_Refresh"},
    {"ShowsThrough", form("ShowsThrough", kShowsThrough), "Panel1", "lies under Panel2"},
    {"ColumnCaption", form("ColumnCaption", kColumnCut), "LV_Clients", "column \"Client MAC Address\""},
};

class LayoutFaultTest : public KitTest, public ::testing::WithParamInterface<Fault> {};

TEST_P(LayoutFaultTest, IsReportedOnceByName) {
    const Fault& fault = GetParam();
    const std::vector<std::string> problems = checkLayout(fault.table);
    ASSERT_EQ(problems.size(), 1u) << ::testing::PrintToString(problems);
    EXPECT_EQ(problems[0].rfind(std::string(fault.control) + ": ", 0), 0u) << problems[0];
    EXPECT_NE(problems[0].find(fault.words), std::string::npos) << problems[0];
    EXPECT_FALSE(layoutFits(fault.table));
}

INSTANTIATE_TEST_SUITE_P(Layouts, LayoutFaultTest, ::testing::ValuesIn(kFaults),
                         [](const auto& info) { return std::string(info.param.name); });

// A fault that a window's code brings about (a caption set later, a control shown) is seen on the
// built window as it stands.
TEST_F(KitTest, ABuiltWindowIsCheckedAsItStands) {
    Form built;
    buildLayout(built, kFittingForm);
    built.setAttribute(Qt::WA_DontShowOnScreen);
    built.show();
    EXPECT_TRUE(checkLayout(built, kFittingForm).empty());
    findControl<Button>(&built, "BT_Apply")->setCaption("Apply the settings");
    findControl<GroupBox>(&built, "GB_Repeater")->setVisible(true);  // over GB_Wds, as the table has it
    const std::vector<std::string> problems = checkLayout(built, kFittingForm);
    ASSERT_EQ(problems.size(), 1u) << ::testing::PrintToString(problems);
    EXPECT_EQ(problems[0].rfind("BT_Apply: caption \"Apply the settings\"", 0), 0u) << problems[0];
}

// A list column is judged by the values it holds as the window stands.
TEST_F(KitTest, AListColumnHoldsItsWidestValue) {
    static constexpr LayoutRow rows[] = {{Kind::ListView, "LV_Domains", "", 8, 8, 200, 100, "", "SSID=60"}};
    constexpr FormLayout table{"TFM_List", "List", 220, 120, rows};
    EXPECT_TRUE(layoutFits(table));
    Form built;
    buildLayout(built, table);
    built.setAttribute(Qt::WA_DontShowOnScreen);
    built.show();
    auto* list = findControl<ListView>(&built, "LV_Domains");
    list->addItem(QStringLiteral("qmx-ap-east-wing-floor-3-room-12"));
    const std::vector<std::string> problems = checkLayout(built, table);
    ASSERT_EQ(problems.size(), 1u) << ::testing::PrintToString(problems);
    EXPECT_EQ(problems[0].rfind("LV_Domains: column \"SSID\" needs", 0), 0u) << problems[0];
    list->setColumnWidth(0, ListView::AutoSizeContents);
    EXPECT_TRUE(checkLayout(built, table).empty());
    list->setColumnWidth(0, 0);  // a hidden column holds nothing the user sees
    EXPECT_TRUE(checkLayout(built, table).empty());
}

// A tab the window hides is not judged until it shows.
TEST_F(KitTest, AHiddenTabIsJudgedWhenItShows) {
    static constexpr LayoutRow rows[] = {
        {Kind::PageControl, "PC_Band", "", 8, 8, 200, 100},
        {Kind::TabSheet, "TS_A", "PC_Band", 0, 0, 0, 0, "802.11a"},
        {Kind::TabSheet, "TS_G", "PC_Band", 0, 0, 0, 0, "802.11g", "", Hidden},
        {Kind::Edit, "Ed_G", "TS_G", 8, 150, 121, 21},
    };
    constexpr FormLayout table{"TFM_Tabs", "Tabs", 220, 120, rows};
    EXPECT_TRUE(layoutFits(table));
    Form built;
    buildLayout(built, table);
    built.setAttribute(Qt::WA_DontShowOnScreen);
    built.show();
    findControl<TabSheet>(&built, "TS_G")->setTabVisible(true);
    const std::vector<std::string> problems = checkLayout(built, table);
    ASSERT_EQ(problems.size(), 1u) << ::testing::PrintToString(problems);
    EXPECT_EQ(problems[0].rfind("Ed_G: lies outside TS_G", 0), 0u) << problems[0];
}

TEST_F(KitTest, ALayoutFaultInTheTableIsReported) {
    constexpr LayoutRow rows[] = {{Kind::Edit, "Ed_A", "GB_Missing", 0, 0}};
    const std::vector<std::string> problems = checkLayout(FormLayout{"TFM_Bad", "Bad", 100, 100, rows});
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("before its parent GB_Missing"), std::string::npos) << problems[0];
}

// The old library's 8-point font at 96 dpi: 13 px lines, 11 px above the base line, and about six
// pixels a letter, on every platform plugin and screen.
TEST_F(KitTest, TheKitsFontHasTheOldMetrics) {
    const QFont font = Application::kitFont();
    EXPECT_EQ(QFontInfo(font).family(), "MS Sans Serif") << "fonts-wine installed? (scripts/setup.sh)";
    EXPECT_EQ(font.pixelSize(), 11);
    const QFontMetrics metrics(font);
    EXPECT_EQ(metrics.height(), 13);
    EXPECT_EQ(metrics.ascent(), 11);
    const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
    const double perLetter = metrics.horizontalAdvance(letters) / double(letters.size());
    EXPECT_GE(perLetter, 5.5);
    EXPECT_LE(perLetter, 6.5);
    Form form;
    auto* label = new Label("Data Rate", &form);
    EXPECT_EQ(QFontInfo(label->font()).family(), "MS Sans Serif") << "every control takes the kit's font";
    EXPECT_EQ(label->height(), 13);
}

// The bar's height comes off the client area, below the menu bar too; the controls keep their places.
TEST_F(KitTest, AStatusBarDocksInsideTheClientArea) {
    constexpr LayoutRow rows[] = {
        {Kind::Button, "BT_Apply", "", 8, 100, 75, 25, "Apply"},
        {Kind::StatusBar, "StatusBar", "", 0, 0, 0, 25},
    };
    Form built;
    buildLayout(built, FormLayout{"TFM_Bar", "Bar", 200, 150, rows});
    new MainMenu(&built);
    built.setAttribute(Qt::WA_DontShowOnScreen);
    built.show();
    auto* bar = findControl<StatusBar>(&built, "StatusBar");
    EXPECT_EQ(built.clientHeight(), 150);
    EXPECT_EQ(bar->height(), 25);
    EXPECT_EQ(bar->top(), 125);
    EXPECT_EQ(bar->width(), 200);
    EXPECT_EQ(findControl<Button>(&built, "BT_Apply")->top(), 100);
    bar->setHeight(19);
    EXPECT_EQ(bar->top(), 131) << "a new height keeps it docked";
}

struct OwnerPlace {
    const char* name;
    QPoint corner;  // of the owner, relative to the available area's
    bool fromRight;
    bool fromBottom;
    QSize page;
    friend void PrintTo(const OwnerPlace& p, std::ostream* os) { *os << p.name; }
};

class KeptOnScreenTest : public KitTest, public ::testing::WithParamInterface<OwnerPlace> {};

// A page centred on a small main window stays on the screen, however the main window lies.
TEST_P(KeptOnScreenTest, CentredOnItsOwner) {
    const OwnerPlace& p = GetParam();
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    Form owner;
    const QSize ownerSize(481, 115);
    owner.setGeometry(QRect(
        QPoint(
            p.fromRight ? area.right() + 1 - ownerSize.width() - p.corner.x() : area.left() + p.corner.x(),
            p.fromBottom ? area.bottom() + 1 - ownerSize.height() - p.corner.y() : area.top() + p.corner.y()),
        ownerSize));
    owner.show();
    auto* page = new Form(&owner);
    page->setClientSize(p.page.width(), p.page.height());
    page->setPosition(Form::Position::OwnerFormCenter);
    page->show();
    const QRect got = page->frameGeometry();
    EXPECT_GE(got.top(), area.top());
    EXPECT_GE(got.left(), area.left());
    if (got.height() <= area.height()) {
        EXPECT_LE(got.bottom(), area.bottom());
    }
    if (got.width() <= area.width()) {
        EXPECT_LE(got.right(), area.right());
    }
    if (got.height() <= area.height() && got.width() <= area.width()) {
        // Where it fits, it stays as near the owner's centre as the screen allows.
        const QPoint c = owner.frameGeometry().center();
        const int wantX = std::clamp(c.x() - got.width() / 2, area.left(), area.right() + 1 - got.width());
        const int wantY = std::clamp(c.y() - got.height() / 2, area.top(), area.bottom() + 1 - got.height());
        EXPECT_LE(std::abs(got.left() - wantX), 1);
        EXPECT_LE(std::abs(got.top() - wantY), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Places, KeptOnScreenTest,
                         ::testing::Values(OwnerPlace{"TopLeftTallPage", {0, 0}, false, false, {385, 500}},
                                           OwnerPlace{"BottomRight", {0, 0}, true, true, {385, 400}},
                                           OwnerPlace{
                                               "TallerThanTheScreen", {10, 10}, false, false, {385, 2000}},
                                           OwnerPlace{"Middle", {150, 200}, false, false, {200, 100}}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

namespace {

// The window named by the hook is saved as it looks once painted, then closed; another is left alone.
TEST_F(KitTest, TheScreenshotHookSavesTheNamedWindow) {
    const QString path =
        QDir::temp().filePath(QStringLiteral("hv-shot-%1.png").arg(QCoreApplication::applicationPid()));
    QFile::remove(path);
    Application::screenshotWhenShown(path, QStringLiteral("TFM_Fitting"));
    Form other;
    other.setObjectName(QStringLiteral("TFM_Other"));
    other.resize(50, 50);
    other.show();
    Form built;
    buildLayout(built, kFittingForm);
    built.show();
    ASSERT_TRUE(waitFor([&] { return QFile::exists(path) && !built.isVisible(); }));
    EXPECT_TRUE(other.isVisible());
    const QImage picture(path);
    QFile::remove(path);
    EXPECT_EQ(picture.size(), built.size());
    // The controls drawn: the apply button's caption leaves dark pixels on its face.
    const QRect caption = findControl<Button>(&built, "BT_Apply")->geometry().adjusted(20, 6, -20, -6);
    int dark = 0;
    for (int y = caption.top(); y <= caption.bottom(); ++y)
        for (int x = caption.left(); x <= caption.right(); ++x) dark += qGray(picture.pixel(x, y)) < 100;
    EXPECT_GT(dark, 10);
}

// The screenshot script opens a page through the main window's menu, once the item can be chosen.
TEST_F(KitTest, TheMenuHookChoosesTheItemOnceItCanBeChosen) {
    Form main;
    auto* menu = new MainMenu(&main);
    MenuItem* advanced = menu->add("Advanced");
    MenuItem* other = advanced->add("Performance Log");
    MenuItem* performance = advanced->add("&Performance");
    performance->setVisible(false);  // until the device has answered
    int popups = 0;
    int clicks = 0;
    advanced->OnPopup = [&](QObject*) {
        ++popups;
        if (popups == 3) performance->setVisible(true);
    };
    performance->OnClick = [&](QObject*) { ++clicks; };
    other->OnClick = [&](QObject*) { ADD_FAILURE() << "another item chosen"; };
    Form::setMainForm(&main);
    Application::chooseMenuWhenShown(QStringLiteral("Advanced/Performance"), 3000);
    main.show();
    EXPECT_TRUE(waitFor([&] { return clicks > 0; }, 3000));
    const int popupsThen = popups;
    waitFor([] { return false; }, 300);
    Form::setMainForm(nullptr);
    EXPECT_EQ(clicks, 1) << "chosen once";
    EXPECT_EQ(popups, popupsThen) << "and then left alone";
}

}  // namespace
