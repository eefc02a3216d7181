// The layout of the Performance page: its controls, their places and the handlers they call.

#include "pages/wireless/Performace.h"

namespace {

constexpr int kLabelLeft = 7;
constexpr int kInputLeft = 159;
constexpr int kInputWidth = 121;
constexpr int kRowHeight = 21;

forms::Label* label(QWidget* parent, const char* caption, int top, int left = kLabelLeft) {
    auto* l = new forms::Label(QString::fromUtf8(caption), parent);
    l->setBounds(left, top, kInputLeft - left - 4, 13);
    return l;
}

forms::ComboBox* combo(QWidget* parent, const char* name, int top, int left = kInputLeft,
                       int width = kInputWidth) {
    auto* c = new forms::ComboBox(parent);
    c->setObjectName(QLatin1String(name));
    c->setComboStyle(forms::ComboBox::Style::DropDownList);
    c->setBounds(left, top, width, kRowHeight);
    return c;
}

forms::Edit* edit(QWidget* parent, const char* name, int top, int maxLength = 0) {
    auto* e = new forms::Edit(parent);
    e->setObjectName(QLatin1String(name));
    e->setBounds(kInputLeft, top, kInputWidth, kRowHeight);
    e->setMaxLength(maxLength);
    return e;
}

// A control that only carries a device value.
template <class T>
T* carrier(T* control) {
    control->setVisible(false);
    return control;
}

forms::Button* button(QWidget* parent, const char* name, const char* caption, int left, int top,
                      int width = 75) {
    auto* b = new forms::Button(QString::fromUtf8(caption), parent);
    b->setObjectName(QLatin1String(name));
    b->setBounds(left, top, width, 24);
    return b;
}

}  // namespace

void TFM_Performace::buildLayout() {
    using PerformaceRules::kRateCount;
    setCaption(QStringLiteral("Advanced \\ Performance"));
    setBorderStyle(BorderStyle::Single);
    setBorderIcons(true, false);
    setClientSize(385, m_geometry.clientHeight);

    PC_Performace = new forms::PageControl(this);
    PC_Performace->setObjectName(QStringLiteral("PC_Performace"));
    PC_Performace->setBounds(0, 0, 385, 608);
    PC_Performace->OnChange = [this](QObject* s) { PC_PerformaceChange(s); };
    TabSheetA = new forms::TabSheet(PC_Performace, QStringLiteral("TabSheetA"));
    TabSheetG = new forms::TabSheet(PC_Performace, QStringLiteral("TabSheetG"));
    TabSheetG->setTabVisible(false);
    StatusBar = new forms::StatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSimplePanel(true);

    // Tab A, slot 1.
    GroupBox1 = new forms::GroupBox(QStringLiteral("Advance Wireless Settings"), TabSheetA);
    GroupBox1->setBounds(-1, 3, 378, m_geometry.groupBox1Height);
    auto* g1 = GroupBox1;
    label(g1, "Data Rate", 37);
    CB_DtRta = combo(g1, "CB_DtRta", 34);
    CB_DtRta->setItems(PerformaceRules::dataRateItems());
    label(g1, "Beacon Interval (20 - 1000)", 64);
    Ed_BeInta = edit(g1, "Ed_BeInta", 60, 4);
    label(g1, "DTIM (1 - 255)", 91);
    Ed_DTIMa = edit(g1, "Ed_DTIMa", 87);
    label(g1, "Fragment Length (256 - 2346)", 118);
    Ed_FragLena = edit(g1, "Ed_FragLena", 114);
    label(g1, "RTS Length (256 - 2346)", 145);
    Ed_RTSa = edit(g1, "Ed_RTSa", 141);
    label(g1, "Transmit Power", 172);
    CB_TranPa = combo(g1, "CB_TranPa", 168);
    La_Gonly = label(g1, "802.11g Only", 198);
    CB_Gonly = combo(g1, "CB_Gonly", 195);
    La_XRa = label(g1, "XR", m_geometry.xrTop + 4);
    CB_XRa = combo(g1, "CB_XRa", m_geometry.xrTop);
    La_XRa->setVisible(false);
    CB_XRa->setVisible(false);
    La_WMM = label(g1, "Wireless Qos(WMM)", m_geometry.wmmTop + 4);
    CB_WMM = combo(g1, "CB_WMM", m_geometry.wmmTop);
    La_Preamble = label(g1, "Preamble", m_geometry.preambleTop + 1);
    CB_Preamble = combo(g1, "CB_Preamble", m_geometry.preambleTop);

    Ed_Freqa = carrier(edit(g1, "Ed_Freqa", 0));
    Ed_Freqa->setReadOnly(true);
    Ed_DtRta = carrier(edit(g1, "Ed_DtRta", 0));
    Ed_DtLista = carrier(edit(g1, "Ed_DtLista", 0));
    CB_SupModea = carrier(combo(g1, "CB_SupModea", 0));
    CB_APModea = carrier(combo(g1, "CB_APModea", 0));
    CB_Clus = carrier(combo(g1, "CB_Clus", 0));
    Ed_dataratecontrolsupport = carrier(edit(g1, "Ed_dataratecontrolsupport", 0));

    GroupBox2 = new forms::GroupBox(QStringLiteral("Advance Data Rate Settings"), TabSheetA);
    GroupBox2->setBounds(0, m_geometry.groupBox2Top, 377, m_groupBox2Height);
    auto* g2 = GroupBox2;
    label(g2, "Enable Data Rate Control", 17);
    CB_DateStatus = combo(g2, "CB_DateStatus", 13, 176, 121);
    label(g2, "Data Rate(Mb/Sec):", 41);
    for (int i = 0; i < kRateCount; ++i) {
        const int column = i % 2;
        const int top = 37 + 25 * (i / 2);
        const QString caption =
            QString::fromLatin1(PerformaceRules::kRateNames[i]) + QStringLiteral("Mb/Sec");
        auto* l = new forms::Label(caption, g2);
        l->setBounds(column == 0 ? 120 : 248, top + 3, 54, 13);
        const QByteArray name = "CB_DRate" + QByteArray::number(i + 1);
        CB_DRate[i] = combo(g2, name.constData(), top, column == 0 ? 176 : 304, 65);
        CB_DRate[i]->setItems(PerformaceRules::kRateItemsAll);
    }
    BT_RDateRate = button(g2, "BT_RDateRate", "Reset Data Rate Settings", 232, 187, 137);
    ListView1 = carrier(new forms::ListView(g2));
    ListView1->setObjectName(QStringLiteral("ListView1"));

    Bt_Apply_a = button(TabSheetA, "Bt_Apply_a", "Apply", 63, m_geometry.buttonsTop);
    Bt_Refresh_a = button(TabSheetA, "Bt_Refresh_a", "Refresh", 231, m_geometry.buttonsTop);

    // Tab G, slot 2: built only when its tab is shown, which this device's layout never does.
    auto* gg = new forms::GroupBox(QStringLiteral("Advance Wireless Settings"), TabSheetG);
    gg->setBounds(-1, 3, 378, 364);
    label(gg, "Super Mode", 37);
    CB_SupModeg = combo(gg, "CB_SupModeg", 34);
    label(gg, "Channel", 64);
    CB_Chang = combo(gg, "CB_Chang", 60);
    label(gg, "Data Rate", 91);
    CB_DtRtg = combo(gg, "CB_DtRtg", 87);
    label(gg, "Beacon Interval (20 - 1000)", 118);
    Ed_BeIntg = edit(gg, "Ed_BeIntg", 114, 4);
    label(gg, "DTIM (1 - 255)", 145);
    Ed_DTIMg = edit(gg, "Ed_DTIMg", 141);
    label(gg, "Fragment Length (256 - 2346)", 172);
    Ed_FragLeng = edit(gg, "Ed_FragLeng", 168);
    label(gg, "RTS Length (256 - 2346)", 199);
    Ed_RTSg = edit(gg, "Ed_RTSg", 195);
    label(gg, "Transmit Power", 226);
    CB_TranPg = combo(gg, "CB_TranPg", 222);
    label(gg, "Radio Wave", 253);
    CB_RadWavg = combo(gg, "CB_RadWavg", 249);
    La_XRg = label(gg, "XR", 280);
    CB_XRg = combo(gg, "CB_XRg", 276);
    Ed_Freqg = carrier(edit(gg, "Ed_Freqg", 0));
    Ed_Freqg->setReadOnly(true);
    Ed_Chang = carrier(edit(gg, "Ed_Chang", 0));
    Ed_ChListg = carrier(edit(gg, "Ed_ChListg", 0));
    Ed_DtRtg = carrier(edit(gg, "Ed_DtRtg", 0));
    Ed_DtListg = carrier(edit(gg, "Ed_DtListg", 0));
    Bt_Apply_g = button(TabSheetG, "Bt_Apply_g", "Apply", 63, 380);
    Bt_Refresh_g = button(TabSheetG, "Bt_Refresh_g", "Refresh", 231, 380);

    // Handlers, as the form binds them. The leave handlers are set before the bindings, whose input
    // rules run first and call them.
    Bt_Apply_a->OnClick = [this](QObject* s) { Bt_Apply_aClick(s); };
    Bt_Refresh_a->OnClick = [this](QObject* s) { Bt_Refresh_aClick(s); };
    Bt_Apply_g->OnClick = [this](QObject* s) { Bt_Apply_gClick(s); };
    Bt_Refresh_g->OnClick = [this](QObject* s) { Bt_Refresh_gClick(s); };
    CB_SupModea->OnChange = [this](QObject* s) { CB_SupModeaChange(s); };
    CB_SupModeg->OnChange = [this](QObject* s) { CB_SupModegChange(s); };
    CB_DateStatus->OnChange = [this](QObject* s) { CB_DateStatusChange(s); };
    CB_Gonly->OnChange = [this](QObject* s) { CB_GonlyChange(s); };
    CB_Gonly->OnClick = [this](QObject* s) { CB_GonlyClick(s); };
    BT_RDateRate->OnClick = [this](QObject* s) { BT_RDateRateClick(s); };
    Ed_BeInta->OnExit = [this](QObject* s) { Ed_BeIntaExit(s); };
    Ed_DTIMa->OnExit = [this](QObject* s) { Ed_DTIMaExit(s); };
    Ed_FragLena->OnExit = [this](QObject* s) { Ed_FragLenaExit(s); };
    Ed_RTSa->OnExit = [this](QObject* s) { Ed_RTSaExit(s); };
    CB_Chang->OnChange = [this](QObject* s) { CB_ChanaChange(s); };
    CB_WMM->OnChange = [this](QObject* s) { CB_AuScChange(s); };
    CB_Preamble->OnChange = [this](QObject* s) { CB_AuScChange(s); };
}

void TFM_Performace::applyGeometry() {
    const auto& g = m_geometry;
    CB_XRa->setTop(g.xrTop);
    La_XRa->setTop(g.xrTop + 4);
    CB_WMM->setTop(g.wmmTop);
    La_WMM->setTop(g.wmmTop + 4);
    CB_Preamble->setTop(g.preambleTop);
    La_Preamble->setTop(g.preambleTop + 1);
    GroupBox1->setHeight(g.groupBox1Height);
    GroupBox2->setTop(g.groupBox2Top);
    GroupBox2->setVisible(g.groupBox2Visible);
    Bt_Apply_a->setTop(g.buttonsTop);
    Bt_Refresh_a->setTop(g.buttonsTop);
    setClientHeightKeepingTabs(g.clientHeight);
}

void TFM_Performace::setClientHeightKeepingTabs(int height) {
    // The page control keeps its place above the status bar, which docks itself at the bottom.
    setClientSize(clientWidth(), height);
    PC_Performace->setHeight(height - 6);
}
