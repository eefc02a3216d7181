#include "KitFixture.h"

using namespace forms;

namespace {

// A request's result line goes to whatever result control the page gave it.
TEST_F(KitTest, ResultSinksShowTheLineWhereThePageLooks) {
    Form form;
    form.resize(300, 200);
    auto* bar = new StatusBar(&form);
    StatusPanel* panel = bar->addPanel(50);
    auto* memo = new Memo(&form);
    std::vector<ResultSink*> sinks{bar, panel, memo};
    for (ResultSink* sink : sinks) sink->showLine("Get: Timeout. Receive at 01:02:03 PM.");
    EXPECT_EQ(bar->simpleText(), "Get: Timeout. Receive at 01:02:03 PM.") << "readable while panels show";
    EXPECT_EQ(panel->text(), "Get: Timeout. Receive at 01:02:03 PM.");
    memo->showLine("second");
    EXPECT_EQ(memo->lines(), (QStringList{"Get: Timeout. Receive at 01:02:03 PM.", "second"}));
    form.show();
    EXPECT_EQ(bar->top() + bar->height(), form.clientHeight()) << "the status bar lies along the bottom";
    EXPECT_EQ(bar->width(), form.clientWidth());
}

TEST_F(KitTest, MenuItemsHaveTheirOwnVisibleFlag) {
    Form form;
    auto* menu = new MainMenu(&form);
    MenuItem* advanced = menu->add("Advanced");
    MenuItem* filter = advanced->add("Access Filter");
    MenuItem* hidden = advanced->add("Grouping");
    hidden->setVisible(false);
    int clicks = 0;
    filter->OnClick = [&](QObject* sender) {
        EXPECT_EQ(sender, filter);
        ++clicks;
    };
    hidden->OnClick = filter->OnClick;
    EXPECT_TRUE(filter->visible());
    EXPECT_FALSE(hidden->visible());
    EXPECT_TRUE(filter->userClick());
    EXPECT_FALSE(hidden->userClick()) << "a hidden item cannot be chosen";
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(advanced->count(), 2);
    EXPECT_EQ(menu->item(0)->item(1), hidden);
}

TEST_F(KitTest, FileDialogsGoThroughTheHook) {
    Form form;
    OpenDialog open(&form);
    open.setFilter("*.tfp|*.tfp|*.txt|*.txt|All File|*.*");
    open.setFileName("old.tfp");
    std::vector<FileDialogCall> calls;
    bool choose = false;
    auto old = Application::setFileDialogHook([&](FileDialogCall& call) {
        calls.push_back(call);
        if (choose) call.fileName = "/tmp/firmware.tfp";
        return choose;
    });
    EXPECT_FALSE(open.execute());
    EXPECT_EQ(open.fileName(), "old.tfp") << "a cancelled dialog keeps the name";
    choose = true;
    EXPECT_TRUE(open.execute());
    EXPECT_EQ(open.fileName(), "/tmp/firmware.tfp");
    SaveDialog save(&form);
    save.execute();
    Application::setFileDialogHook(old);
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].kind, FileDialogCall::Open);
    EXPECT_EQ(calls[0].filter, "*.tfp|*.tfp|*.txt|*.txt|All File|*.*");
    EXPECT_EQ(calls[0].parent, &form);
    EXPECT_EQ(calls[2].kind, FileDialogCall::Save);
}

TEST_F(KitTest, ClockAndBeepHooks) {
    const QDateTime fixed(QDate(2008, 9, 11), QTime(13, 2, 3));
    auto old = Application::setClockHook([&] { return fixed; });
    EXPECT_EQ(Application::now(), fixed);
    Application::setClockHook(old);
    Application::beep();
    EXPECT_EQ(beeps, 1);
}

TEST_F(KitTest, TimeScaleFromTheEnvironmentIsReadAsCNumber) {
    EXPECT_EQ(Application::timeScaleFrom("0.01"), 0.01) << "a decimal point whatever the user's locale";
    EXPECT_EQ(Application::timeScaleFrom("0,01"), 1.0);
    EXPECT_EQ(Application::timeScaleFrom(""), 1.0);
    EXPECT_EQ(Application::timeScaleFrom("-2"), 1.0);
    EXPECT_EQ(Application::timeScaleFrom("nan"), 1.0);
    Application::setTimeScale(0.5);
    EXPECT_EQ(Application::scaledInterval(50), 25);
    EXPECT_EQ(Application::scaledInterval(1), 1) << "a running timer never gets interval 0";
    EXPECT_EQ(Application::scaledInterval(0), 0);
    Application::setTimeScale(-3);
    EXPECT_EQ(Application::timeScale(), 0.5) << "a scale that is not positive is refused";
}

TEST_F(KitTest, ShapeBrushColourIsTheLedState) {
    Form form;
    Shape led(&form);
    led.setShape(Shape::Kind::Circle);
    led.setBrushColor(Qt::green);
    EXPECT_EQ(led.brushColor(), QColor(Qt::green));
    led.resize(16, 16);
    QPixmap shot = led.grab();
    EXPECT_EQ(shot.toImage().pixelColor(8, 8), QColor(Qt::green));
}

TEST_F(KitTest, LabelCaptionAndStaticText) {
    Form form;
    StaticText text("Index", &form);
    Label* asLabel = &text;
    asLabel->setCaption("3");
    EXPECT_EQ(text.caption(), "3");
    EXPECT_NE(dynamic_cast<Label*>(static_cast<Control*>(&text)), nullptr)
        << "bindings dispatch on Label first";
}

}  // namespace

namespace {

// Radio pages hide tab G and caption the visible tabs with the band names; page indexes still count
// the hidden tab.
TEST_F(KitTest, TabSheetsKeepTheirIndexWhenATabIsHidden) {
    Form form;
    PageControl pages(&form);
    auto* a = new TabSheet(&pages, "TS_80211a");
    auto* g = new TabSheet(&pages, "TS_80211g");
    auto* edit = new Edit(g);
    g->setTabVisible(false);
    a->setCaption("IEEE 802.11g");
    EXPECT_EQ(a->caption(), "IEEE 802.11g");
    EXPECT_TRUE(a->tabVisible());
    EXPECT_FALSE(g->tabVisible());
    EXPECT_EQ(g->pageIndex(), 1);
    EXPECT_EQ(pages.page(1), g);
    EXPECT_EQ(pages.activePage(), a);
    EXPECT_TRUE(edit->visible()) << "a control on a hidden tab keeps its own flag";
}

}  // namespace

namespace {

// The main window: client height = picture + status bar, and the menu bar outside the client area.
TEST_F(KitTest, MenuBarLiesAboveTheClientArea) {
    Form form;
    auto* image = new Image(&form);
    image->setBounds(0, 0, 481, 96);
    form.setClientSize(481, 96 + 19);
    auto* menu = new MainMenu(&form);
    menu->add("Home");
    auto* bar = new StatusBar(&form);
    form.show();
    EXPECT_GT(form.menuHeight(), 0);
    EXPECT_EQ(form.clientHeight(), 115) << "the client area keeps its size under a new menu bar";
    EXPECT_EQ(image->top(), 0);
    EXPECT_GE(image->geometry().top(), menu->geometry().bottom()) << "the picture is not under the menu";
    EXPECT_EQ(bar->top() + bar->height(), form.clientHeight());
    EXPECT_EQ(image->geometry().bottom() + 1, bar->geometry().top());
}

}  // namespace
