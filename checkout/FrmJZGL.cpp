#include "checkout/FrmJZGL.h"

#include <QApplication>
#include <QRegularExpressionValidator>
#include <QSqlQuery>
#include <QTimer>
#include <algorithm>
#include "db/Database.h"
#include "db/DateTimeText.h"
#include "db/Recordset.h"
#include "frontdesk/FrmSYGL.h"
#include "ordering/FrmDCKT.h"
#include "platform/KeyFilters.h"
#include "platform/Printer.h"
#include "platform/Seams.h"
#include "platform/Twips.h"
#include "print/RawPrintJob.h"
#include "shell/Module1.h"
#include "shell/PrintSet.h"

TABULOR_REGISTER_FORM(FrmJZGL);

namespace {

const QString Prompt = QStringLiteral("提示");
const QString AmountPrompt = QStringLiteral("提示:");
const QString WaivedWrong = QStringLiteral("免收金额输入有误!");
const QString LocalBackground = QStringLiteral("background: #e0e0e0;");   // &HE0E0E0

// The amount at the start of a text, as the amount boxes take it: digits
// with at most one point ("1.2.3" is 1.2, "." is 0). Empty, or a text that
// does not start with a digit or point (a sign, say), is no amount.
std::optional<Money> leadingAmount(const QString& text)
{
    int end = 0;
    bool point = false;
    for (; end < text.size(); ++end) {
        const QChar c = text[end];
        if (c == u'.' && !point)
            point = true;
        else if (!(c >= u'0' && c <= u'9'))
            break;
    }
    if (end == 0)
        return std::nullopt;
    const QString number = text.left(end);
    if (number == QStringLiteral("."))
        return Money{};
    bool ok = false;
    const Money m = Money::parse(number.endsWith(u'.') ? number + u'0' : number, &ok);
    return ok ? std::optional<Money>(m) : std::nullopt;
}

// Every line of a seating that is open now, with what its receipt prints.
struct OpenLine {
    qint64 id;
    ReceiptLine line;
};

std::vector<OpenLine> readOpenLines(const QString& seatingId)
{
    Recordset rs;
    rs.open(QStringLiteral(
                "select s.rowid as line_id, s.fsxh, s.food_name, s.price, s.food_num, s.STS, c.cp_classid "
                "from strink_mess_200505 s left join cpdetail c on c.code = s.food_code "
                "where s.use_table_id = ? and s.account_sts = '0' order by s.rowid"),
            {seatingId});
    std::vector<OpenLine> lines;
    for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext()) {
        OpenLine l;
        l.id = rs.field(QStringLiteral("line_id")).toLongLong();
        l.line.entry = rs.field(QStringLiteral("fsxh")).toInt();
        l.line.name = rs.field(QStringLiteral("food_name")).toString();
        l.line.price = Money::fromVariant(rs.field(QStringLiteral("price")));
        l.line.quantity = Money::fromVariant(rs.field(QStringLiteral("food_num")));
        l.line.free = rs.text(QStringLiteral("STS")).toInt() == 2;
        l.line.category = rs.text(QStringLiteral("cp_classid"));
        lines.push_back(l);
    }
    return lines;
}

Money totalOf(const std::vector<OpenLine>& lines)
{
    Money total;
    for (const OpenLine& l : lines)
        total += lineCharge(l.line);
    return total;
}

void reloadBoard()
{
    if (Forms::isLoaded<FrmSYGL>())
        Forms::get<FrmSYGL>().ListView1Detail();
}

} // namespace

FrmJZGL::FrmJZGL()
{
    setWindowTitle(QStringLiteral("结帐管理"));
    setClientSizeTwips(9195, 2730);
    setFixedSize(size());   // the controls beyond the edge stay out of sight

    // ---- 客人信息 ----
    Frame1 = new QGroupBox(QStringLiteral("客人信息"), this);
    Twips::place(Frame1, 225, 90, 2775, 2475);
    // Captions above their boxes: the open time needs the frame's width.
    const int boxLeft = 120, boxWidth = 2535, h = 330;
    caption(Frame1, QStringLiteral("房台名称"), boxLeft, 300);
    TxtFTMC = new QLineEdit(Frame1);
    Twips::place(TxtFTMC, boxLeft, 555, boxWidth, h);
    caption(Frame1, QStringLiteral("开台时间"), boxLeft, 1020);
    TxtKTSJ = new QLineEdit(Frame1);
    Twips::place(TxtKTSJ, boxLeft, 1275, boxWidth, h);
    caption(Frame1, QStringLiteral("就餐人数"), boxLeft, 1740);
    TxtJCRS = new QLineEdit(Frame1);
    Twips::place(TxtJCRS, boxLeft, 1995, boxWidth, h);
    QLabel* tableIdCaption = caption(Frame1, QStringLiteral("房台编码"), boxLeft, 1740);
    TxtFTBM = new QLineEdit(Frame1);
    Twips::place(TxtFTBM, boxLeft, 1995, boxWidth, h);
    QLabel* billCaption = caption(Frame1, QStringLiteral("手工单号"), boxLeft, 1740);
    TxtSGDH = new QLineEdit(Frame1);
    Twips::place(TxtSGDH, boxLeft, 1995, boxWidth, h);
    for (QWidget* w : {static_cast<QWidget*>(tableIdCaption), static_cast<QWidget*>(TxtFTBM),
                       static_cast<QWidget*>(billCaption), static_cast<QWidget*>(TxtSGDH)})
        w->setVisible(false);
    for (QLineEdit* e : {TxtFTMC, TxtKTSJ, TxtJCRS, TxtFTBM, TxtSGDH})
        e->setReadOnly(true);

    // The totals panel lies below the frame's visible area.
    Picture1 = new QFrame(Frame1);
    Twips::place(Picture1, 120, 2640, 2535, 2040);
    const char* panelCaptions[] = {"应收金额合计", "酒菜消费金额", "酒菜金额小计", "房台消费", "折扣额", "折扣方案"};
    QLabel** panelLabels[] = {&LblYSJEHJ, &LblJCXFJE, &LblJCJEXJ, &LblFTXF, &LblZKE, &LblZKFA};
    for (int i = 0; i < 6; ++i) {
        caption(Picture1, QString::fromUtf8(panelCaptions[i]), 0, 60 + i * 330, 1200);
        *panelLabels[i] = new QLabel(Picture1);
        Twips::place(*panelLabels[i], 1260, 60 + i * 330, 1200, 270);
    }

    // ---- 结帐金额 ----
    Frame2 = new QGroupBox(QStringLiteral("结帐金额"), this);
    Twips::place(Frame2, 3045, 90, 5940, 2475);
    const int leftField = 1140, rightCaption = 3000, rightField = 4260, width = 1560;
    caption(Frame2, QStringLiteral("付帐方式"), 120, 420);
    CmbFZFS = new QComboBox(Frame2);
    CmbFZFS->addItems({QStringLiteral("现金"), QStringLiteral("支票"), QStringLiteral("信用卡"), QStringLiteral("其它"),
                       QStringLiteral("挂帐"), QStringLiteral("免单")});
    Twips::place(CmbFZFS, leftField, 360, width, h);
    caption(Frame2, QStringLiteral("应收金额"), 120, 960);
    LblYSJE = new QLabel(Frame2);
    Twips::place(LblYSJE, leftField, 900, width, h);
    caption(Frame2, QStringLiteral("免收金额"), 120, 1500);
    TxtMSJE = new QLineEdit(QStringLiteral("0"), Frame2);
    Twips::place(TxtMSJE, leftField, 1440, width, h);
    caption(Frame2, QStringLiteral("实收金额"), rightCaption, 420, 1200);
    LblSSJE = new QLabel(Frame2);
    Twips::place(LblSSJE, rightField, 360, width, h);
    caption(Frame2, QStringLiteral("客人付款金额"), rightCaption, 960, 1200);
    TxtKRFKJE = new QLineEdit(QStringLiteral("0"), Frame2);
    Twips::place(TxtKRFKJE, rightField, 900, width, h);
    for (QLabel* amount : {LblYSJE, LblSSJE}) {
        amount->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        amount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        amount->setStyleSheet(QStringLiteral("background: white; color: #c00000; font-weight: bold;"));
    }
    for (QLineEdit* amount : {TxtMSJE, TxtKRFKJE})
        amount->setAlignment(Qt::AlignRight);
    Command6 = new QPushButton(QStringLiteral("结帐"), Frame2);
    Twips::place(Command6, rightCaption, 1860, 1260, 450);
    Command8 = new QPushButton(QStringLiteral("退出"), Frame2);
    Twips::place(Command8, rightField + 300, 1860, 1260, 450);
    Command4 = new QPushButton(QStringLiteral("明细"), Frame2);
    Twips::place(Command4, 120, 1860, 1260, 450);
    Command4->setVisible(false);
    caption(Frame2, QStringLiteral("找补金额"), 120, 2640);
    LblZBJE = new QLabel(Frame2);
    Twips::place(LblZBJE, leftField, 2580, width, h);
    caption(Frame2, QStringLiteral("发票金额"), rightCaption, 2640);
    LblFPJE = new QLabel(Frame2);
    Twips::place(LblFPJE, rightField, 2580, width, h);

    // ---- 结帐信息: member data, below the window's visible area ----
    Frame3 = new QGroupBox(QStringLiteral("结帐信息"), this);
    Twips::place(Frame3, 225, 2880, 8760, 1500);
    TxtHYKH = memberField(QStringLiteral("会员卡号"), 120, 360);
    TxtHYDM = memberField(QStringLiteral("会员代码"), 2280, 360);
    TxtHYMC = memberField(QStringLiteral("会员名称"), 4440, 360);
    TxtHYLX = memberField(QStringLiteral("会员类型"), 6600, 360);
    TxtLXDH = memberField(QStringLiteral("联系电话"), 120, 900);
    TxtGZSX = memberField(QStringLiteral("挂帐上限"), 2280, 900);
    TxtLJGZJE = memberField(QStringLiteral("累计挂帐金额"), 4440, 900);
    TxtKGJE = memberField(QStringLiteral("可挂金额"), 6600, 900);

    // The other buttons, below the window's visible area as well.
    const char* faces[] = {"清除", "预结帐", "会员", "发票", "帮助"};
    QPushButton** others[] = {&Command1, &Command2, &Command3, &Command5, &Command7};
    for (int i = 0; i < 5; ++i) {
        *others[i] = new QPushButton(QString::fromUtf8(faces[i]), this);
        Twips::place(*others[i], 225 + i * 1500, 4500, 1260, 450);
    }
    for (QPushButton* b : {Command6, Command8, Command4, Command1, Command2, Command3, Command5, Command7})
        b->setAutoDefault(false);

    // Tab order: the waived box first, the tendered box second.
    const QList<QWidget*> order = {TxtMSJE, TxtKRFKJE, Command6, Command8, CmbFZFS, Command4, TxtHYKH, TxtHYDM,
                                   TxtHYMC, TxtHYLX, TxtLXDH, TxtGZSX, TxtLJGZJE, TxtKGJE, Command1, Command2,
                                   Command3, Command5, Command7, TxtFTMC, TxtKTSJ, TxtJCRS, TxtFTBM, TxtSGDH};
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    // The amount boxes take digits and points; an edit that brings any other
    // character (a pasted "-20", say) is refused whole.
    for (QLineEdit* amount : {TxtMSJE, TxtKRFKJE}) {
        DecimalKeyFilter(amount);
        amount->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.]*")), amount));
    }
    OnEnter(TxtMSJE, [this] { TxtKRFKJE->setFocus(Qt::TabFocusReason); });
    OnEnter(TxtKRFKJE, [this] { TxtKRFKJE_KeyPress(13); });
    OnEnter(TxtHYKH, [this] { TxtHYKH_KeyPress(13); });

    connect(CmbFZFS, &QComboBox::currentIndexChanged, this, [this] { CmbFZFS_Click(); });
    connect(Command5, &QPushButton::clicked, this, &FrmJZGL::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &FrmJZGL::Command6_Click);
    connect(Command8, &QPushButton::clicked, this, &FrmJZGL::Command8_Click);
    // Got and lost focus of the amount boxes, between the window's own
    // controls (a message box or another program taking the focus is not
    // leaving the box).
    m_focusWatch = connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if (now == TxtMSJE)
            TxtMSJE_GotFocus();
        else if (now == TxtKRFKJE)
            TxtKRFKJE_GotFocus();
        if (old == TxtMSJE && now && now->window() == this && !m_committing)
            TxtMSJE_LostFocus();
    });
}

FrmJZGL::~FrmJZGL()
{
    // The focus leaves the window's boxes while its widgets are destroyed,
    // after this part of the window is gone.
    disconnect(m_focusWatch);
}

QLabel* FrmJZGL::caption(QWidget* parent, const QString& text, int left, int top, int width)
{
    auto* l = new QLabel(text, parent);
    Twips::place(l, left, top, width, 270);
    return l;
}

QLineEdit* FrmJZGL::memberField(const QString& text, int left, int top)
{
    caption(Frame3, text, left, top + 60);
    auto* e = new QLineEdit(Frame3);
    Twips::place(e, left + 1035, top, 1035, 330);
    e->setReadOnly(true);
    e->setStyleSheet(LocalBackground);
    return e;
}

void FrmJZGL::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        TxtMSJE->setFocus(Qt::OtherFocusReason);
    }
}

// ---- opening ---------------------------------------------------------------

void FrmJZGL::Form_Load()
{
    CmbFZFS->setCurrentIndex(0);
    CmbFZFS_Click();
    Command6->setEnabled(false);

    // The current table is the board's selected row.
    QString tableId, openTime, diners, tableName;
    if (Forms::isLoaded<FrmSYGL>()) {
        const FrmSYGL& board = Forms::get<FrmSYGL>();
        tableId = board.current(FrmSYGL::ColTableId);
        openTime = board.current(FrmSYGL::ColOpenTime);
        diners = board.current(FrmSYGL::ColDiners);
        tableName = board.current(FrmSYGL::ColName);
    }
    TxtKTSJ->setText(openTime);
    if (!openTime.isEmpty())
        TxtJCRS->setText(diners);
    TxtFTBM->setText(tableId);
    TxtFTMC->setText(tableName);

    bool found = false;
    const bool read = RunDbAction([&] {
        Recordset seating;
        seating.open(QStringLiteral("select use_table_id, use_table_man_id from use_table_200505 "
                                    "where house_table_id = ? and start_date = ? and sts <> 'P' order by rowid"),
                     {tableId, openTime});
        if (seating.empty())
            return;
        found = true;
        CheckoutSeatingId = seating.text(QStringLiteral("use_table_id"));
        TxtSGDH->setText(seating.text(QStringLiteral("use_table_man_id")));
        const std::vector<OpenLine> lines = readOpenLines(CheckoutSeatingId);
        for (const OpenLine& l : lines)
            m_openLines.push_back(l.id);
        m_receivable = totalOf(lines);
        Command6->setEnabled(!lines.empty());
    });
    for (QLabel* l : {LblYSJE, LblSSJE, LblJCXFJE, LblJCJEXJ, LblYSJEHJ})
        l->setText(m_receivable.plain());
    if (read && !found)
        MsgBox(QStringLiteral("没有找到本台的开台记录，不能结帐!"), Msg::Exclamation, Prompt);
}

// ---- payment method and member card ------------------------------------------

void FrmJZGL::CmbFZFS_Click()
{
    if (CmbFZFS->currentText() == QStringLiteral("挂帐")) {
        TxtHYKH->setStyleSheet(QString());   // the system's window background
        TxtHYKH->setReadOnly(false);
        TxtHYKH->setFocus(Qt::OtherFocusReason);
    } else {
        TxtHYKH->setStyleSheet(LocalBackground);
        TxtHYKH->setReadOnly(true);
        for (QLineEdit* e : {TxtHYDM, TxtHYMC, TxtHYLX, TxtLXDH, TxtGZSX, TxtLJGZJE, TxtKGJE})
            e->clear();
    }
}

void FrmJZGL::TxtHYKH_KeyPress(int keyAscii)
{
    if (keyAscii != 13)
        return;
    bool found = false;
    RunDbAction([&] {
        Recordset member;
        member.open(QStringLiteral("select * from custom where card_num = ? order by rowid"), {TxtHYKH->text()});
        if (member.empty())
            return;
        found = true;
        auto amount = [&](const char* column) {
            const QVariant v = member.field(QString::fromLatin1(column));
            return v.isNull() ? QString() : Money::fromVariant(v).plain();
        };
        TxtHYDM->setText(member.text(QStringLiteral("code")));
        TxtHYMC->setText(member.text(QStringLiteral("name")));
        TxtHYLX->setText(member.text(QStringLiteral("flag")));
        TxtLXDH->setText(member.text(QStringLiteral("phone")));
        TxtGZSX->setText(amount("gzjelimit"));
        TxtLJGZJE->setText(amount("gzje"));
        // What may still go on account; an empty limit or balance counts 0.
        const Money limit = Money::parse(TxtGZSX->text());
        const Money owed = Money::parse(TxtLJGZJE->text());
        TxtKGJE->setText((limit - owed).plain());
    });
    if (!found) {
        MsgBox(QStringLiteral("会员卡号输入有误，请重新输入"), Msg::Exclamation, Prompt);
        TxtHYKH->setFocus(Qt::OtherFocusReason);
    }
}

// ---- amounts -----------------------------------------------------------------

void FrmJZGL::TxtMSJE_GotFocus()
{
    // After the click that brought the focus, so that the click keeps it.
    QTimer::singleShot(0, TxtMSJE, &QLineEdit::selectAll);
}

void FrmJZGL::TxtKRFKJE_GotFocus()
{
    QTimer::singleShot(0, TxtKRFKJE, &QLineEdit::selectAll);
}

std::optional<Money> FrmJZGL::checkedWaived()
{
    const std::optional<Money> waived = leadingAmount(TxtMSJE->text());
    if (!waived || (*waived > m_receivable && *waived != Money{}))
        return std::nullopt;
    return waived;
}

bool FrmJZGL::TxtMSJE_LostFocus()
{
    const std::optional<Money> waived = checkedWaived();
    if (!waived) {
        MsgBox(WaivedWrong, Msg::Exclamation, AmountPrompt);
        TxtMSJE->setFocus(Qt::OtherFocusReason);
        return false;
    }
    LblSSJE->setText((m_receivable - *waived).plain());
    return true;
}

void FrmJZGL::TxtKRFKJE_KeyPress(int keyAscii)
{
    if (keyAscii == 13 && Command6->isEnabled())
        Command6_Click();
}

void FrmJZGL::Command5_Click()
{
    MsgBox(QStringLiteral("暂时不能打印发票"), Msg::Exclamation, Prompt);
}

void FrmJZGL::Command8_Click()
{
    Unload();
}

// ---- the checkout ------------------------------------------------------------

QString FrmJZGL::paymentCode(const QString& method)
{
    static const QStringList methods = {QStringLiteral("现金"), QStringLiteral("支票"), QStringLiteral("信用卡"),
                                        QStringLiteral("挂帐"), QStringLiteral("免单"), QStringLiteral("其它")};
    const int i = int(methods.indexOf(method));
    return QString::number(i < 0 ? 5 : i);
}

QString FrmJZGL::GetBillLineOrder()
{
    const QVariant v = Db::scalar(QStringLiteral("SELECT XTCS_VALUE FROM SYSXTCS WHERE XTCS_NAME = 'Orders' ORDER BY rowid"));
    return v.isValid() ? v.toString() : QStringLiteral("Class");
}

void FrmJZGL::Command6_Click()
{
    if (!Command6->isEnabled() || m_committing)
        return;
    // The amount to collect comes from the waived amount itself, checked
    // again here: a click can reach the button without the box being left.
    const std::optional<Money> waived = checkedWaived();
    if (!waived) {
        MsgBox(WaivedWrong, Msg::Exclamation, AmountPrompt);
        TxtMSJE->setFocus(Qt::OtherFocusReason);
        return;
    }
    const Money toCollect = m_receivable - *waived;
    LblSSJE->setText(toCollect.plain());

    const std::optional<Money> tendered = leadingAmount(TxtKRFKJE->text());
    if (TxtKRFKJE->text().isEmpty() || !tendered) {
        MsgBox(QStringLiteral("付款金额输入有误!"), Msg::Exclamation, AmountPrompt);
        TxtKRFKJE->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (*tendered < toCollect) {
        MsgBox(QStringLiteral("付款金额输入有误"), Msg::Exclamation, Prompt);
        TxtKRFKJE->setFocus(Qt::OtherFocusReason);
        return;
    }
    MsgBox(QStringLiteral("请找补金额") + (*tendered - toCollect).format(2), Msg::Information, Prompt);

    // No input from here on: the button cannot settle twice.
    m_committing = true;
    setEnabled(false);
    const Outcome outcome = settle(*waived, toCollect);
    if (outcome == Outcome::Failed) {
        m_committing = false;
        setEnabled(true);
        TxtKRFKJE->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (outcome == Outcome::Refused) {
        // Another till got there first (it has been said): this window's
        // totals are stale.
        Unload();
        reloadBoard();
        return;
    }

    // Settled. The receipt prints from what was settled; neither the print
    // settings nor the printer can undo that, they can only cost a message.
    int type = -1;
    if (!PrinterMissingCheck() && RunDbAction([&] {
            m_receipt->print = ReadPrintSet();
            orderReceiptLines(*m_receipt, GetBillLineOrder());
            type = printerType(m_receipt->print);
        })) {
        switch (type) {
        case 1: PrintBillRaw(); break;
        case 0: PrintBillAndSettle(); break;
        default: break;   // a printer type of no layout prints nothing
        }
    }
    Unload();
    // Opened from the ordering window: its seating is settled now, so it
    // offers a continued bill instead of a checkout.
    if (FrmDCKT* ordering = FrmDCKT::ifOpen()) {
        ordering->Toolbar1->setButtonEnabled(FrmDCKT::BtnCheckout, false);
        ordering->Toolbar1->setButtonEnabled(FrmDCKT::BtnContinue, true);
    }
    reloadBoard();
}

FrmJZGL::Outcome FrmJZGL::settle(const Money& waived, const Money& toCollect)
{
    const QString method = CmbFZFS->currentText();
    const QString code = paymentCode(method);
    const QDateTime now = Clock::now();
    Receipt receipt;
    bool changed = false;
    const bool ok = RunDbAction([&] {
        Transaction tx;
        // Decided from the database as it is now: another till may have
        // settled, cleared or added to this seating since the window opened.
        auto refuse = [&](const QString& why) {
            changed = true;
            throw DbError(DbError::Changed, why);
        };
        const QVariant tableId = Db::scalar(QStringLiteral("select house_table_id from use_table_200505 "
                                                           "where use_table_id = ? and sts <> 'P'"),
                                            {CheckoutSeatingId});
        if (!tableId.isValid())
            refuse(QStringLiteral("房台%1已经清台。").arg(TxtFTMC->text()));
        const std::vector<OpenLine> lines = readOpenLines(CheckoutSeatingId);
        std::vector<qint64> ids;
        for (const OpenLine& l : lines)
            ids.push_back(l.id);
        if (ids != m_openLines) {
            const bool allStillOpen = std::all_of(m_openLines.begin(), m_openLines.end(), [&](qint64 id) {
                return std::find(ids.begin(), ids.end(), id) != ids.end();
            });
            refuse(allStillOpen ? QStringLiteral("房台%1的点单已经改变，请重新结帐。").arg(TxtFTMC->text())
                                : QStringLiteral("房台%1的这次消费已经结帐。").arg(TxtFTMC->text()));
        }

        Db::exec(QStringLiteral("insert into account_mess_200505 (use_table_id, pay_money, pay_sts, pay_sts_name) "
                                "values (?, ?, ?, ?)"),
                 {CheckoutSeatingId, toCollect.toVariant(), code, method});
        const QSqlQuery bill = Db::run(
            QStringLiteral("insert into ACCOUNT_200606 (use_table_id, account_date, account_man, fee_price, discount_price, "
                           "discount_rule_id, no_account_price, account_price, pay_sts) values (?, ?, ?, ?, 0, '', ?, ?, ?)"),
            {CheckoutSeatingId, DateTimeText::format(now), Module1::OperatorCode, m_receivable.toVariant(),
             waived.toVariant(), toCollect.toVariant(), code});
        const qint64 billId = bill.lastInsertId().toLongLong();
        Db::exec(QStringLiteral("update house_table set othersts = 'D' where table_id = ?"), {tableId});
        Db::exec(QStringLiteral("update use_table_200505 set end_date = ?, sts = 'D' where use_table_id = ?"),
                 {DateTimeText::format(now), CheckoutSeatingId});
        Db::exec(QStringLiteral("update strink_mess_200505 set account_sts = '1', account_id = ? "
                                "where use_table_id = ? and account_sts = '0'"),
                 {billId, CheckoutSeatingId});
        tx.commit();
        // The receipt prints the lines this bill settled.
        for (const OpenLine& l : lines)
            receipt.lines.push_back(l.line);
    });
    if (!ok)
        return changed ? Outcome::Refused : Outcome::Failed;
    receipt.tableName = TxtFTMC->text();
    receipt.openTime = TxtKTSJ->text();
    receipt.paymentMethod = method;
    receipt.operatorCode = Module1::OperatorCode;
    receipt.checkoutTime = now;
    receipt.waived = waived;
    receipt.toCollect = toCollect;
    m_receipt = receipt;
    return Outcome::Settled;
}

// ---- receipts ----------------------------------------------------------------

void FrmJZGL::PrintBillRaw()
{
    if (!m_receipt)
        return;
    RawPrintJob job;
    if (!job.open(PrinterSeam::printer().deviceName()))
        return;
    if (m_receipt->lines.empty())
        return;   // nothing to print; the job closes unused
    job.startDocument(QStringLiteral("餐饮收费"));
    for (const QString& line : receiptTextLines(*m_receipt))
        job.writeLine(line);
    job.finish();
    if (job.failed())
        MsgBox(QStringLiteral("收据打印失败，请检查打印机!"), Msg::Information, QStringLiteral("信息提示"));
}

void FrmJZGL::PrintBillAndSettle()
{
    if (m_receipt)
        printReceipt(PrinterSeam::printer(), *m_receipt, font());
}
