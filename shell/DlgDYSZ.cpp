#include "shell/DlgDYSZ.h"

#include <QButtonGroup>
#include <QFrame>
#include <QStyle>
#include "db/Database.h"
#include "db/Recordset.h"
#include "platform/Blanks.h"
#include "platform/KeyFilters.h"
#include "platform/Seams.h"
#include "platform/Twips.h"
#include "shell/PrintSet.h"

TABULOR_REGISTER_FORM(DlgDYSZ);

DlgDYSZ::DlgDYSZ()
{
    setWindowTitle(QStringLiteral("打印设置"));
    setClientSizeTwips(6600, 5880);

    Image1 = new QLabel(this);
    Image1->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(48, 48));
    Twips::place(Image1, 240, 240, 900, 900);

    LabelHead = new QLabel(QStringLiteral("票据头设置："), this);
    Twips::place(LabelHead, 1320, 240, 1500, 300);
    LabelFoot = new QLabel(QStringLiteral("票据尾设置："), this);
    Twips::place(LabelFoot, 1320, 1800, 1500, 300);
    QLineEdit** boxes[] = {&Text1, &Text2, &Text3, &Text4, &Text5, &Text6};
    for (int i = 0; i < 6; ++i) {
        QLineEdit* e = new QLineEdit(this);
        MaxLengthFilter(e, 20);
        // The three lines of a row are stored joined by "|": a bar in a line
        // would split it on the next reading and push the others out.
        JoinedLineKeyFilter(e);
        const int top = 240 + i * 420 + (i >= 3 ? 300 : 0);
        Twips::place(e, 2880, top, 3480, 345);
        *boxes[i] = e;
    }

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    Twips::place(line, 240, 3120, 6120, 30);

    auto* labelPrinter = new QLabel(QStringLiteral("打印机类型设置："), this);
    Twips::place(labelPrinter, 240, 3360, 1800, 300);
    FramePrinter = new QGroupBox(this);
    Twips::place(FramePrinter, 2040, 3240, 4320, 540);
    Option1[0] = new QRadioButton(QStringLiteral("热敏打印机"), FramePrinter);
    Twips::place(Option1[0], 120, 120, 1800, 330);
    Option1[1] = new QRadioButton(QStringLiteral("针式打印机"), FramePrinter);
    Twips::place(Option1[1], 2160, 120, 1800, 330);

    auto* labelOrder = new QLabel(QStringLiteral("排  序  方  式："), this);
    Twips::place(labelOrder, 240, 4080, 1800, 300);
    FrameOrder = new QGroupBox(this);
    Twips::place(FrameOrder, 2040, 3960, 4320, 540);
    Option2 = new QRadioButton(QStringLiteral("按商品分类排序"), FrameOrder);
    Twips::place(Option2, 120, 120, 2000, 330);
    Option3 = new QRadioButton(QStringLiteral("按点单顺序排序"), FrameOrder);
    Twips::place(Option3, 2160, 120, 2000, 330);

    // Nothing is selected before loading.
    for (QRadioButton* b : {Option1[0], Option1[1], Option2, Option3}) {
        b->setAutoExclusive(false);
        b->setChecked(false);
        b->setAutoExclusive(true);
    }

    OKButton = new QPushButton(QStringLiteral("确定(&O)"), this);
    Twips::place(OKButton, 3000, 5040, 1500, 450);
    CancelButton = new QPushButton(QStringLiteral("取消(&C)"), this);
    Twips::place(CancelButton, 4740, 5040, 1500, 450);
    OKButton->setAutoDefault(false);
    CancelButton->setAutoDefault(false);

    connect(OKButton, &QPushButton::clicked, this, &DlgDYSZ::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &DlgDYSZ::CancelButton_Click);
}

void DlgDYSZ::Form_Load()
{
    RunLoadRead(*this, [&] {
        const PrintSetLines lines = ReadPrintSet();
        if (lines.anyRow) {
            Text1->setText(lines.head[0]);
            Text2->setText(lines.head[1]);
            Text3->setText(lines.head[2]);
            Text4->setText(lines.foot[0]);
            Text5->setText(lines.foot[1]);
            Text6->setText(lines.foot[2]);
        }
        // Any value but dot-matrix, as the checkout reads it, shows the thermal printer.
        Option1[printerType(lines) == 1 ? 1 : 0]->setChecked(true);

        Recordset orders;
        orders.open(QStringLiteral("SELECT XTCS_VALUE FROM SYSXTCS WHERE XTCS_NAME = 'Orders' ORDER BY rowid"));
        if (orders.empty() || orders.field(0).toString() == QStringLiteral("Class"))
            Option2->setChecked(true);
        else
            Option3->setChecked(true);
    });
}

void DlgDYSZ::OKButton_Click()
{
    if (MsgBox(QStringLiteral("您确定进行打印机设置么？"), int(Msg::YesNo) + Msg::Exclamation) == Msg::No) {
        Unload();
        return;
    }
    if (Text1->text().isEmpty()) {
        MsgBox(QStringLiteral("请输入您的店名！"), int(Msg::YesNo) + Msg::Exclamation);
        return;
    }
    const QString printer = Option1[1]->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    const QString head = TrimBlanks(Text1->text()) + u'|' + TrimBlanks(Text2->text()) + u'|' + TrimBlanks(Text3->text());
    const QString foot = TrimBlanks(Text4->text()) + u'|' + TrimBlanks(Text5->text()) + u'|' + TrimBlanks(Text6->text());
    const QString order = Option3->isChecked() ? QStringLiteral("Order") : QStringLiteral("Class");

    const bool saved = RunDbAction([&] {
        Transaction tx;
        const bool headInForce =
            Db::scalar(QStringLiteral("SELECT count(*) FROM PRINTSET WHERE STATE <> 0 AND HEAD <> 0")).toInt() > 0;
        Db::exec(QStringLiteral("UPDATE PRINTSET SET STATE = 0 WHERE STATE <> 0"));
        if (headInForce) {
            Db::exec(QStringLiteral("UPDATE PRINTSET SET STATE = 1, RESTNAME = ?, PRINTER = ? WHERE HEAD <> 0"),
                     {head, printer});
            Db::exec(QStringLiteral("INSERT INTO PRINTSET (STATE, HEAD, RESTNAME, PRINTER) VALUES (1, 0, ?, ?)"),
                     {foot, printer});
        } else {
            Db::exec(QStringLiteral("INSERT INTO PRINTSET (RESTNAME, PRINTER, STATE, HEAD) VALUES (?, ?, 1, 1)"),
                     {head, printer});
            Db::exec(QStringLiteral("INSERT INTO PRINTSET (RESTNAME, PRINTER, STATE, HEAD) VALUES (?, ?, 1, 0)"),
                     {foot, printer});
        }
        if (Db::scalar(QStringLiteral("SELECT count(*) FROM SYSXTCS WHERE XTCS_NAME = 'Orders'")).toInt() > 0)
            Db::exec(QStringLiteral("UPDATE SYSXTCS SET XTCS_VALUE = ?, XTCS_MS = '打印排序方式', XTCS_NAME = 'Orders'"
                                    " WHERE XTCS_NAME = 'Orders'"),
                     {order});
        else
            Db::exec(QStringLiteral("INSERT INTO SYSXTCS (XTCS_VALUE, XTCS_MS, XTCS_NAME) VALUES (?, '打印排序方式', 'Orders')"),
                     {order});
        tx.commit();
    });
    if (!saved)
        return;
    MsgBox(QStringLiteral("打印设置完成！"), Msg::Information);
    Unload();
}

void DlgDYSZ::CancelButton_Click()
{
    Unload();
}
