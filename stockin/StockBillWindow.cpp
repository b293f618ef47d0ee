#include "stockin/StockBillWindow.h"

#include <QStyle>
#include "db/Database.h"
#include "platform/Twips.h"

StockBillWindow::StockBillWindow(const QString& caption, const QString& billFrame, const QString& lineFrame,
                                 const QString& newLineCaption, const QString& table, const QString& dayColumn,
                                 const std::vector<BillColumn>& columns)
    : m_bills(table, dayColumn, [&] {
          std::vector<BillRows::Column> stored;
          for (const BillColumn& c : columns)
              stored.push_back({QString::fromLatin1(c.stored), c.kind});
          return stored;
      }()),
      m_columns(columns)
{
    setWindowTitle(caption);
    setClientSizeTwips(10410, 7590);

    Toolbar1 = new Toolbar(this);
    Twips::place(Toolbar1, 0, 0, 10410, 840);
    Toolbar1->setIconSize(QSize(24, 24));
    Toolbar1->addButton(QStringLiteral("新增"), QStringLiteral("新增"), StockUi::face(QStyle::SP_FileDialogNewFolder));
    Toolbar1->addButton(QStringLiteral("修改"), QStringLiteral("修改"), StockUi::face(QStyle::SP_FileDialogDetailedView));
    Toolbar1->addButton(QStringLiteral("删除"), {}, StockUi::face(QStyle::SP_TrashIcon));
    Toolbar1->addButton(QStringLiteral("查询"), {}, StockUi::face(QStyle::SP_FileDialogContentsView));
    Toolbar1->addButton(QStringLiteral("打印"), {}, StockUi::face(QStyle::SP_DriveFDIcon));
    Toolbar1->addButton(QStringLiteral("退出"), {}, StockUi::face(QStyle::SP_DialogCloseButton));
    Toolbar1->setButtonVisible(BtnDelete, false);

    Frame1 = new QGroupBox(billFrame, this);
    Twips::place(Frame1, 120, 900, 10170, 3000);
    ListView2 = new ModelListView(Frame1);
    Twips::place(ListView2, 120, 300, 9930, 2580);

    Frame2 = new QGroupBox(lineFrame, this);
    Twips::place(Frame2, 120, 3960, 10170, 3510);
    ListView1 = new ListView(Frame2);
    Twips::place(ListView1, 120, 300, 8520, 3090);
    Command1 = new QPushButton(newLineCaption, Frame2);
    Twips::place(Command1, 8760, 360, 1290, 420);
    Command2 = new QPushButton(QStringLiteral("修改明细(&E)"), Frame2);
    Twips::place(Command2, 8760, 900, 1290, 420);
    Command1->setAutoDefault(false);
    Command2->setAutoDefault(false);

    // A bill chosen with the keyboard is the current bill as one clicked.
    connect(ListView2, &ModelListView::selectionChanged, this, [this](int) { ListView1Detail(); });
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

void StockBillWindow::billListInit()
{
    ListView2->setSource(nullptr);
    ListView2->clearColumns();
    bool first = true;
    for (const BillColumn& c : m_columns) {
        ListView2->addColumn(QString::fromUtf8(c.caption), c.width, first ? Qt::AlignLeft : Qt::AlignHCenter);
        first = false;
    }
    ListView2->setSource(&m_bills);
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
