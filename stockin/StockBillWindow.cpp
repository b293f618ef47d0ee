#include "platform/Pictures.h"
#include "stockin/StockBillWindow.h"

#include <QStyle>
#include "db/Database.h"
#include "platform/Printer.h"
#include "platform/Seams.h"
#include "platform/Twips.h"

StockBillWindow::StockBillWindow(const Design& design)
    : m_bills(design.table, design.dayColumn, [&] {
          std::vector<BillRows::Column> stored;
          for (const BillColumn& c : design.columns)
              stored.push_back({QString::fromLatin1(c.stored), c.kind});
          return stored;
      }()),
      m_design(design)
{
    setWindowTitle(design.caption);
    setClientSizeTwips(10410, 7590);

    Toolbar1 = new Toolbar(this);
    Twips::place(Toolbar1, 0, 0, 10410, 840);
    Toolbar1->setIconSize(QSize(24, 24));
    Toolbar1->addButton(QStringLiteral("新增"), QStringLiteral("新增"), Pictures::standardFace(QStyle::SP_FileDialogNewFolder));
    Toolbar1->addButton(QStringLiteral("修改"), QStringLiteral("修改"), Pictures::standardFace(QStyle::SP_FileDialogDetailedView));
    Toolbar1->addButton(QStringLiteral("删除"), {}, Pictures::standardFace(QStyle::SP_TrashIcon));
    Toolbar1->addButton(QStringLiteral("查询"), {}, Pictures::standardFace(QStyle::SP_FileDialogContentsView));
    Toolbar1->addButton(QStringLiteral("打印"), {}, Pictures::standardFace(QStyle::SP_DriveFDIcon));
    Toolbar1->addButton(QStringLiteral("退出"), {}, Pictures::standardFace(QStyle::SP_DialogCloseButton));
    Toolbar1->setButtonVisible(BtnDelete, false);

    Frame1 = new QGroupBox(design.billFrame, this);
    Twips::place(Frame1, 120, 900, 10170, 3000);
    ListView2 = new ModelListView(Frame1);
    Twips::place(ListView2, 120, 300, 9930, 2580);

    Frame2 = new QGroupBox(design.lineFrame, this);
    Twips::place(Frame2, 120, 3960, 10170, 3510);
    ListView1 = new ListView(Frame2);
    Twips::place(ListView1, 120, 300, 8520, 3090);
    Command1 = new QPushButton(design.newLineCaption, Frame2);
    Twips::place(Command1, 8760, 360, 1290, 420);
    Command2 = new QPushButton(QStringLiteral("修改明细(&E)"), Frame2);
    Twips::place(Command2, 8760, 900, 1290, 420);
    Command1->setAutoDefault(false);
    Command2->setAutoDefault(false);

    connect(Toolbar1, &Toolbar::buttonClick, this, &StockBillWindow::Toolbar1_ButtonClick);
    // A bill chosen with the keyboard is the current bill as one clicked.
    connect(ListView2, &ModelListView::selectionChanged, this, [this](int) { ListView2_Click(); });
    connect(Command1, &QPushButton::clicked, this, &StockBillWindow::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &StockBillWindow::Command2_Click);
}

void StockBillWindow::Form_Load()
{
    ListView1Init();
    ListView2Init();
}

void StockBillWindow::ListView2Init()
{
    ListView2->setSource(nullptr);
    ListView2->clearColumns();
    bool first = true;
    for (const BillColumn& c : m_design.columns) {
        ListView2->addColumn(QString::fromUtf8(c.caption), c.width, first ? Qt::AlignLeft : Qt::AlignHCenter);
        first = false;
    }
    ListView2->setSource(&m_bills);
    ListView2Detail();
}

void StockBillWindow::ListView2Detail()
{
    showBills([this] { m_bills.loadAll(); }, false);
    enableBillButtons();
    ListView1Detail();
}

void StockBillWindow::ListView2_Click()
{
    ListView1Detail();
}

void StockBillWindow::Toolbar1_ButtonClick(int index)
{
    switch (index) {
    case BtnNew:
        Forms::showModalByName(m_design.addDialog);
        break;
    case BtnEdit:
        if (ListView2->selectedRow() >= 0)
            Forms::showModalByName(m_design.editDialog);
        break;
    case BtnQuery:
        Forms::showModalByName(m_design.queryDialog);
        break;
    case BtnPrint:
        if (!PrinterMissingCheck())
            printCurrentBill();
        break;
    case BtnExit:
        Unload();
        break;
    default:
        break;   // 删除 is never shown
    }
}

void StockBillWindow::Command1_Click()
{
    Forms::showModalByName(m_design.lineAddDialog);
}

void StockBillWindow::Command2_Click()
{
    if (ListView1->selectedRow() >= 0)
        Forms::showModalByName(m_design.lineEditDialog);
}

QString StockBillWindow::currentBill() const
{
    const int row = ListView2->selectedRow();
    QString number;
    if (row >= 0)
        RunDbAction([&] { number = ListView2->text(row).trimmed(); });
    return number;
}

QString StockBillWindow::selectedLineCode() const
{
    const int row = ListView1->selectedRow();
    return row < 0 ? QString() : ListView1->key(row);
}

bool StockBillWindow::showBills(const std::function<void()>& load, bool keepOnFailure)
{
    const bool read = RunDbAction(load);
    if (!read && keepOnFailure)
        return false;
    if (!read)
        m_bills.clear();   // a list cut short would pass for every bill
    ListView2->reload();
    {
        const QSignalBlocker block(ListView2);
        ListView2->select(m_bills.rowCount() > 0 ? 0 : -1);
    }
    return read;
}

void StockBillWindow::enableBillButtons()
{
    // 新增, 查询 and 退出 are never disabled.
    const bool any = m_bills.rowCount() > 0;
    for (int b : {BtnEdit, BtnDelete, BtnPrint})
        Toolbar1->setButtonEnabled(b, any);
}

void StockBillWindow::queryBills(const QDate& from, const QDate& to, Form& dialog)
{
    if (!showBills([&] { m_bills.loadDays(from, to); }, true))
        return;   // the dialog stays for another try
    enableBillButtons();
    ListView1Detail();
    dialog.Unload();
    const QString hint = QStringLiteral("提示");
    if (m_bills.rowCount() > 0)
        MsgBox(QStringLiteral("共查询到%1条记录!").arg(m_bills.rowCount()), Msg::Information, hint);
    else
        MsgBox(QStringLiteral("查询结果为空!"), Msg::Information, hint);
}

void StockBillWindow::saveLine(Form& dialog, const std::function<StockPosting::LineSave()>& save)
{
    using StockPosting::LineSave;
    LineSave result = LineSave::NoLine;
    if (!RunDbAction([&] {
            Transaction t;
            result = save();
            if (result == LineSave::Saved)
                t.commit();
        }))
        return;
    const QString hint = QStringLiteral("提示");
    switch (result) {
    case LineSave::Saved:
        ListView1Detail();
        dialog.Unload();
        MsgBox(m_design.saved, Msg::Information, hint);
        break;
    case LineSave::Duplicate: MsgBox(m_design.duplicateLine, Msg::Information, hint); break;
    // Booked out since the dialog showed the stock (an order at the front desk).
    case LineSave::ShortOfStock: MsgBox(m_design.shortOfStock, Msg::Information, hint); break;
    case LineSave::NoLine: break;   // the line is gone: nothing written, the dialog stays
    }
}

void StockBillWindow::listLines(const QString& linesOfBill,
                                const std::function<void(int row, const Recordset& line)>& fill)
{
    ListView1->clear();
    if (ListView2->count() == 0) {
        enableLineButtons(false, false);
        return;
    }
    const QString bill = currentBill();
    Recordset lines;
    if (!RunDbAction([&] { lines.open(linesOfBill, {bill}); })) {
        enableLineButtons(false, false);
        return;
    }
    for (lines.MoveFirst(); !lines.isEOF(); lines.MoveNext()) {
        const QString code = StockText::shown(lines.field(QStringLiteral("code")));
        const int row = ListView1->add(code, code);
        if (!lines.field(QStringLiteral("goods")).isNull())
            fill(row, lines);
    }
    ListView1->select(ListView1->count() > 0 ? 0 : -1);
    enableLineButtons(true, ListView1->count() > 0);
}

void StockBillWindow::lineListInit(const std::vector<std::pair<const char*, int>>& columns)
{
    ListView1->clear();
    ListView1->clearColumns();
    ListView1->setView(ListView::Report);
    bool first = true;
    for (const auto& [caption, width] : columns) {
        ListView1->addColumn(QString::fromUtf8(caption), width, first ? Qt::AlignLeft : Qt::AlignHCenter);
        first = false;
    }
}

void StockBillWindow::enableLineButtons(bool anyBill, bool anyLine)
{
    Command1->setEnabled(anyBill);
    Command2->setEnabled(anyBill && anyLine);
}
