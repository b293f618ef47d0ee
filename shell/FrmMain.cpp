#include "shell/FrmMain.h"

#include <QPainter>
#include <QResizeEvent>
#include "db/Database.h"
#include "db/Recordset.h"
#include "platform/Seams.h"
#include "platform/Twips.h"
#include "shell/FrmPathSetup.h"
#include "shell/FrmXTDL.h"
#include "shell/Module1.h"

TABULOR_REGISTER_FORM(FrmMain);

const std::array<FrmMain::MenuButton, 24> FrmMain::MenuButtons = {{
    {"101", "CmdYDGL", "FrmYDGL"},
    {"102", "CmdSYGL", "FrmSYGL"},
    {"103", "CmdRSRJ", ""},
    {"104", "CmdXSMX", "FrmXSMX"},
    {"105", "CmdYGXS", "FrmXSPH"},
    {"106", "CmdFTXS", "FrmFTXS"},
    {"107", "CmdDDTJ", "FrmDDTJ"},
    {"108", "cmdXSHZ", "FrmXSHZ"},
    {"301", "CmdRKGL", "FrmRKGL"},
    {"302", "CmdCKGL", "FrmCKGL"},
    {"305", "CmdKCCX", "FrmKCCX"},
    {"307", "CmdSPRK", "FrmRKTZ"},
    {"308", "CmdSPCK", "FrmCKTZ"},
    {"309", "CmdSPLS", "FrmSPLS"},
    {"502", "CmdYGXX", "FrmYGDA"},
    {"601", "CmdFTSZ", "FrmFTSZ"},
    {"602", "CmdCDGL", "FrmCPGL"},
    {"604", "CmdSPGL", "FrmSPDA"},
    {"606", "CmdYGQX", "FrmQXSZ"},
    {"607", "CmdDYSZ", "DlgDYSZ"},
    {"608", "cmdTKSZ", "DlgTKSZ"},
    {"609", "cmdQCJL", "DlgQCSJ"},
    {"610", "CmdGLSZ", "FrmGLSZ"},
    {"611", "CmdPathSetup", "FrmPathSetup"},
}};

namespace {

// Panel colour: red 255, green 57, blue 30 (colour value 1980927).
const QColor PanelColour(255, 57, 30);

// Design heights of the panels. The settings panel is one button taller than
// its first design so that its ninth button (path set-up) can be seen; the
// exit panel holds help, about and exit one under another.
constexpr int SettingsPanelHeight = 4440;
constexpr int ExitPanelHeight = 2055;

class Background : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        QLinearGradient g(0, 0, width(), height());
        g.setColorAt(0, QColor(250, 236, 214));
        g.setColorAt(1, QColor(222, 170, 120));
        p.fillRect(rect(), g);
        p.setPen(QColor(150, 60, 30, 90));
        QFont f = font();
        f.setPixelSize(qMax(12, height() / 8));
        f.setBold(true);
        p.setFont(f);
        p.drawText(rect().adjusted(Twips::toPixels(1590), 0, 0, 0), Qt::AlignCenter, AppTitle);
    }
};

QPushButton* groupButton(const QString& caption, QWidget* parent, int top)
{
    auto* b = new QPushButton(caption, parent);
    Twips::place(b, 0, top, 1575, 375);
    b->setStyleSheet(QStringLiteral(
        "QPushButton { color: #3a1008; font-weight: bold; border: 1px solid #8c1e0e;"
        " background: qlineargradient(x1:0,y1:0,x2:0,y2:1, stop:0 #fff1d6, stop:1 #f0b070); }"
        "QPushButton:pressed { background: #e09050; }"));
    return b;
}

QWidget* panel(QWidget* parent, int left, int top, int height)
{
    auto* p = new QWidget(parent);
    Twips::place(p, left, top, 1335, height);
    p->setAutoFillBackground(true);
    return p;
}

} // namespace

QPushButton* FrmMain::functionButton(QWidget* panel, const QString& caption, int top, int left)
{
    auto* b = new QPushButton(caption, panel);
    Twips::place(b, left, top, 1335, 375);
    return b;
}

FrmMain::FrmMain()
{
    setWindowTitle(AppTitle);
    setWindowFlags(Qt::Window | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setClientSizeTwips(12000, 8700);

    Image1 = new Background(this);
    Frame1 = new QWidget(this);
    Twips::place(Frame1, 0, 0, 1590, 5760);

    PicQTGL = panel(Frame1, 120, 405, 3480);
    PicKFGL = panel(Frame1, 120, 810, 3015);
    PicRSGL = panel(Frame1, 120, 1140, 615);
    PicXTSZ = panel(Frame1, 105, 1500, SettingsPanelHeight);
    PicTCXT = panel(Frame1, 105, 1890, ExitPanelHeight);
    PicTXFX = panel(Frame1, 1440, 4800, 2055);

    CmdQTGL = groupButton(QStringLiteral("前台管理"), Frame1, 0);
    CmdKFGL = groupButton(QStringLiteral("库房管理"), Frame1, 360);
    CmdRSGL = groupButton(QStringLiteral("人事管理"), Frame1, 720);
    CmdXTSZ = groupButton(QStringLiteral("系统设置"), Frame1, 1080);
    CmdTCXT = groupButton(QStringLiteral("退出系统"), Frame1, 1440);
    CmdTXFX = groupButton(QStringLiteral("图形分析"), Frame1, 5880);
    Twips::setLeft(CmdTXFX, 1200);
    CmdTXFX->hide();

    CmdYDGL = functionButton(PicQTGL, QStringLiteral("预定管理"), 120);
    CmdSYGL = functionButton(PicQTGL, QStringLiteral("收银管理"), 600);
    CmdXSMX = functionButton(PicQTGL, QStringLiteral("销售明细统计"), 1095);
    CmdYGXS = functionButton(PicQTGL, QStringLiteral("员工销售排行"), 1575);
    CmdFTXS = functionButton(PicQTGL, QStringLiteral("房台销售明细"), 2055);
    CmdDDTJ = functionButton(PicQTGL, QStringLiteral("房台点单统计"), 2520);
    cmdXSHZ = functionButton(PicQTGL, QStringLiteral("销售汇总统计"), 3015);
    CmdRSRJ = functionButton(PicQTGL, QStringLiteral("日始日结"), 1080, 1335);
    CmdRSRJ->setEnabled(false);
    CmdRSRJ->hide();

    CmdRKGL = functionButton(PicKFGL, QStringLiteral("入库管理"), 120);
    CmdCKGL = functionButton(PicKFGL, QStringLiteral("出库管理"), 600);
    CmdKCCX = functionButton(PicKFGL, QStringLiteral("库存查询"), 1080);
    CmdSPRK = functionButton(PicKFGL, QStringLiteral("商品入库台帐"), 1560);
    CmdSPCK = functionButton(PicKFGL, QStringLiteral("商品出库台帐"), 2040);
    CmdSPLS = functionButton(PicKFGL, QStringLiteral("商品流水帐"), 2520);

    CmdYGXX = functionButton(PicRSGL, QStringLiteral("员工信息"), 120);

    CmdFTSZ = functionButton(PicXTSZ, QStringLiteral("房台设置"), 120);
    CmdCDGL = functionButton(PicXTSZ, QStringLiteral("菜单管理"), 600);
    CmdSPGL = functionButton(PicXTSZ, QStringLiteral("商品档案"), 1080);
    CmdYGQX = functionButton(PicXTSZ, QStringLiteral("员工权限"), 1560);
    CmdDYSZ = functionButton(PicXTSZ, QStringLiteral("打印设置"), 2040);
    cmdTKSZ = functionButton(PicXTSZ, QStringLiteral("退款设置"), 2520);
    cmdQCJL = functionButton(PicXTSZ, QStringLiteral("清除记录"), 3000);
    CmdGLSZ = functionButton(PicXTSZ, QStringLiteral("关联设置"), 3480);
    CmdPathSetup = functionButton(PicXTSZ, QStringLiteral("路径设置"), 3945);

    CmdQHYH = functionButton(PicTCXT, QStringLiteral("切换用户"), 120);
    CmdXTBZ = functionButton(PicTCXT, QStringLiteral("系统帮助"), 600);
    CmdGYXT = functionButton(PicTCXT, QStringLiteral("关于系统"), 1080, -15);
    CmdXTTC = functionButton(PicTCXT, QStringLiteral("退出系统"), 1560, -15);

    CmdYSRQ = functionButton(PicTXFX, QStringLiteral("月收入趋势图"), 120);
    CmdSKFC = functionButton(PicTXFX, QStringLiteral("时段状况分析"), 600);
    CmdJYFC = functionButton(PicTXFX, QStringLiteral("营业状况分析"), 1080);
    CmdYJFX = functionButton(PicTXFX, QStringLiteral("员工业绩分析"), 1560);

    const std::map<QString, QPushButton*> byName = {
        {"CmdYDGL", CmdYDGL}, {"CmdSYGL", CmdSYGL}, {"CmdRSRJ", CmdRSRJ}, {"CmdXSMX", CmdXSMX},
        {"CmdYGXS", CmdYGXS}, {"CmdFTXS", CmdFTXS}, {"CmdDDTJ", CmdDDTJ}, {"cmdXSHZ", cmdXSHZ},
        {"CmdRKGL", CmdRKGL}, {"CmdCKGL", CmdCKGL}, {"CmdKCCX", CmdKCCX}, {"CmdSPRK", CmdSPRK},
        {"CmdSPCK", CmdSPCK}, {"CmdSPLS", CmdSPLS}, {"CmdYGXX", CmdYGXX}, {"CmdFTSZ", CmdFTSZ},
        {"CmdCDGL", CmdCDGL}, {"CmdSPGL", CmdSPGL}, {"CmdYGQX", CmdYGQX}, {"CmdDYSZ", CmdDYSZ},
        {"cmdTKSZ", cmdTKSZ}, {"cmdQCJL", cmdQCJL}, {"CmdGLSZ", CmdGLSZ}, {"CmdPathSetup", CmdPathSetup},
    };
    for (const MenuButton& m : MenuButtons) {
        QPushButton* b = byName.at(QString::fromLatin1(m.button));
        b->setObjectName(QString::fromLatin1(m.button));
        m_byCode[QString::fromLatin1(m.menuCode)] = b;
        const QString window = QString::fromLatin1(m.window);
        if (window == QStringLiteral("FrmPathSetup"))
            connect(b, &QPushButton::clicked, this, &FrmMain::CmdPathSetup_Click);
        else if (!window.isEmpty())
            // A window not built into the program yet opens nothing.
            connect(b, &QPushButton::clicked, this, [window] { Forms::showModalByName(window); });
    }

    connect(CmdQTGL, &QPushButton::clicked, this, &FrmMain::CmdQTGL_Click);
    connect(CmdKFGL, &QPushButton::clicked, this, &FrmMain::CmdKFGL_Click);
    connect(CmdRSGL, &QPushButton::clicked, this, &FrmMain::CmdRSGL_Click);
    connect(CmdXTSZ, &QPushButton::clicked, this, &FrmMain::CmdXTSZ_Click);
    connect(CmdTCXT, &QPushButton::clicked, this, &FrmMain::CmdTCXT_Click);
    connect(CmdQHYH, &QPushButton::clicked, this, &FrmMain::CmdQHYH_Click);
    connect(CmdGYXT, &QPushButton::clicked, this, [] { Forms::showModalByName(QStringLiteral("frmGYXT")); });
    connect(CmdXTTC, &QPushButton::clicked, this, &FrmMain::CmdXTTC_Click);
    // CmdXTBZ, CmdRSRJ and the chart buttons have no action.
}

QPushButton* FrmMain::menuButton(const QString& menuCode) const
{
    auto it = m_byCode.find(menuCode);
    return it == m_byCode.end() ? nullptr : it->second;
}

void FrmMain::Form_Load()
{
    for (QWidget* p : {PicRSGL, PicKFGL, PicQTGL, PicTXFX, PicXTSZ, PicTCXT}) {
        QPalette pal = p->palette();
        pal.setColor(QPalette::Window, PanelColour);
        p->setPalette(pal);
    }
    openGroup(FrontDesk);

    // Returns after checkout are allowed only when the stored switch is 1;
    // a value that is not a number means "not allowed".
    Module1::RefundAllowed = false;
    try {
        Module1::SharedRecordset = Recordset();
        Module1::SharedRecordset.openTable(QStringLiteral("SYSXTCS"), QStringLiteral("WHERE XTCS_NAME = 'AllowRefundment'"));
        if (!Module1::SharedRecordset.isEOF()) {
            bool ok = false;
            const double v = Module1::SharedRecordset.text(QStringLiteral("XTCS_VALUE")).toDouble(&ok);
            Module1::RefundAllowed = ok && v == 1;
        }
    } catch (const DbError& e) {
        MsgBox(e.text, Msg::Exclamation, QStringLiteral("信息提示"));
    }
}

void FrmMain::openGroup(Group group)
{
    QWidget* panels[] = {PicQTGL, PicKFGL, PicRSGL, PicXTSZ, PicTCXT};
    for (QWidget* p : {PicQTGL, PicKFGL, PicRSGL, PicXTSZ, PicTCXT, PicTXFX})
        p->setVisible(p == panels[group]);

    QWidget* P = panels[group];
    const int Q = Twips::height(CmdQTGL);
    const int H = Twips::height(CmdTCXT);
    const int FT = Twips::top(Frame1);
    const int bottom = Twips::top(P) + Twips::height(P);
    int FH = 0;
    int kf = 0, rs = 0, xt = 0, tc = 0;
    switch (group) {
    case FrontDesk:
        FH = bottom + 5 * Q;
        kf = FH - 5 * H; rs = FH - 4 * H; xt = FH - 3 * H; tc = FH - 2 * H;
        break;
    case Warehouse:
        FH = bottom + 4 * Q;
        kf = FT + H; rs = FH - 4 * H; xt = FH - 3 * H; tc = FH - 2 * H;
        break;
    case Personnel:
        FH = bottom + 3 * Q;
        kf = FT + H; rs = FT + 2 * H; xt = FH - 3 * H; tc = FH - 2 * H;
        break;
    case Settings:
        FH = bottom + Q;
        kf = FT + H; rs = FT + 2 * H; xt = FT + 3 * H; tc = FH - H;
        break;
    case Exit:
        FH = bottom;
        kf = FT + H; rs = FT + 2 * H; xt = FT + 3 * H; tc = FT + 4 * H;
        break;
    }
    Twips::setHeight(Frame1, FH);
    Twips::move(CmdTCXT, 0, tc);
    Twips::move(CmdXTSZ, 0, xt);
    Twips::move(CmdRSGL, 0, rs);
    Twips::move(CmdKFGL, 0, kf);
}

void FrmMain::CmdQTGL_Click() { openGroup(FrontDesk); }
void FrmMain::CmdKFGL_Click() { openGroup(Warehouse); }
void FrmMain::CmdRSGL_Click() { openGroup(Personnel); }
void FrmMain::CmdXTSZ_Click() { openGroup(Settings); }
void FrmMain::CmdTCXT_Click() { openGroup(Exit); }

void FrmMain::CmdQHYH_Click()
{
    Forms::show(Forms::get<FrmXTDL>());
}

void FrmMain::CmdPathSetup_Click()
{
    Forms::showModal(Forms::get<FrmPathSetup>());
}

void FrmMain::CmdXTTC_Click()
{
    if (MsgBox(QStringLiteral("是否退出系统？"), Msg::OKCancel + Msg::Exclamation, QStringLiteral("提示")) == Msg::OK)
        ProcessSeam::end();
}

void FrmMain::Form_QueryUnload(bool& cancel, int)
{
    if (MsgBox(QStringLiteral("是否退出系统?"), Msg::OKCancel + Msg::Exclamation, QStringLiteral("提示")) == Msg::OK)
        ProcessSeam::end();
    cancel = true;   // after an end nothing more runs; after Cancel the window stays
}

void FrmMain::Form_Resize()
{
    // The window's outer size (title bar and borders included), so that the
    // picture less 300 twips still covers the whole client area.
    const QRect outer = frameGeometry();
    Twips::place(Image1, 0, 0, Twips::fromPixels(outer.width()), Twips::fromPixels(outer.height()) - 300);
}

void FrmMain::resizeEvent(QResizeEvent* event)
{
    Form::resizeEvent(event);
    Form_Resize();
    Frame1->raise();
}
