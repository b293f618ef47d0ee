#include "stockin/StockBillDialog.h"

#include <QLabel>
#include "db/DateTimeText.h"
#include "db/StockPosting.h"
#include "platform/Seams.h"
#include "platform/Twips.h"

StockBillDialog::StockBillDialog(const QString& caption, int height)
{
    setWindowTitle(caption);
    setClientSizeTwips(4800, height);
    setFixedSize(size());
}

QLineEdit* StockBillDialog::hiddenPaperCount()
{
    StockUi::label(this, QStringLiteral("单据张数"), Left, 285, LabelWidth)->setVisible(false);
    auto* box = new QLineEdit(this);
    Twips::place(box, Left + LabelWidth, 240, BoxWidth, 330);
    box->setVisible(false);
    return box;
}

void StockBillDialog::addButtons(int top)
{
    Save = new QPushButton(QStringLiteral("保存(&S)"), this);
    Twips::place(Save, 1800, top, 1200, 420);
    Quit = new QPushButton(QStringLiteral("退出(&Q)"), this);
    Twips::place(Quit, 3240, top, 1200, 420);
    Save->setAutoDefault(false);
    Quit->setAutoDefault(false);
    connect(Save, &QPushButton::clicked, this, [this] { Save_Click(); });
    connect(Quit, &QPushButton::clicked, this, &StockBillDialog::Quit_Click);
}

void StockBillDialog::Quit_Click()
{
    Unload();
}

void StockBillDialog::startNewBill(QLineEdit* number, QLineEdit* paper, QLineEdit* day,
                                   const std::vector<QComboBox*>& lists)
{
    number->setText(TimestampId());
    paper->setText(QStringLiteral("1"));
    day->setText(DateTimeText::formatDate(Clock::today()));
    for (QComboBox* list : lists)
        list->setCurrentIndex(list->count() > 0 ? 0 : -1);
}

void StockBillDialog::showStoredBill(QLineEdit* number, QLineEdit* paper, QLineEdit* day, const QString& storedNumber,
                                     const QVariant& storedPaper, const QString& storedDay)
{
    number->setText(storedNumber);
    paper->setText(StockText::shownNumber(storedPaper));
    day->setText(StockText::shownDay(storedDay));
}

QString StockBillDialog::storedDayOf(const QLineEdit* day)
{
    return StockPosting::storedDay(DateTimeText::parse(day->text()).date());
}

BillQueryDialog::BillQueryDialog(const QString& caption, const QString& dayLabel, int height)
{
    setWindowTitle(caption);
    setClientSizeTwips(5400, height);
    setFixedSize(size());
    StockUi::label(this, dayLabel, 240, 285, 960);
    Date1 = StockUi::datePicker(this, 1200, 240, 1800);
    StockUi::label(this, QStringLiteral("至"), 3120, 285, 300);
    Date2 = StockUi::datePicker(this, 3420, 240, 1800);
    Command1 = new QPushButton(QStringLiteral("查询(&C)"), this);
    Twips::place(Command1, 2580, height - 660, 1200, 420);
    Command2 = new QPushButton(QStringLiteral("退出(&Q)"), this);
    Twips::place(Command2, 3960, height - 660, 1200, 420);
    Command1->setAutoDefault(false);
    Command2->setAutoDefault(false);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, &BillQueryDialog::Command2_Click);
}

void BillQueryDialog::Form_Load()
{
    Date1->setDate(Clock::today());
    Date2->setDate(Clock::today());
}

void BillQueryDialog::Command2_Click()
{
    Unload();
}
