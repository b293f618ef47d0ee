#pragma once
// What the bill dialogs of the stock-in and stock-out windows share: the
// header dialogs' fixed number and day boxes, the hidden count of paper
// documents, a row of boxes with their labels, the save and exit buttons,
// how a new bill starts and how a stored one shows; and the query dialogs'
// two days with their query and exit buttons.
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <vector>
#include "platform/Form.h"
#include "stockin/StockCommon.h"

class StockBillDialog : public Form {
    Q_OBJECT
public:
    QPushButton* Save;
    QPushButton* Quit;

    virtual void Save_Click() = 0;
    void Quit_Click();

protected:
    StockBillDialog(const QString& caption, int height);

    // A box with its label, on the row at top.
    template <class Box> Box* row(const QString& label, Box* box, int top)
    {
        return StockUi::field(this, label, box, Left, top, LabelWidth, BoxWidth);
    }
    // The count of paper documents: kept, never shown.
    QLineEdit* hiddenPaperCount();
    void addButtons(int top);

    // A new bill: the number of this moment, one paper document, today, and
    // the first entry of each list.
    static void startNewBill(QLineEdit* number, QLineEdit* paper, QLineEdit* day, const std::vector<QComboBox*>& lists);
    // A stored bill's number, paper count and day as the boxes show them.
    static void showStoredBill(QLineEdit* number, QLineEdit* paper, QLineEdit* day, const QString& storedNumber,
                               const QVariant& storedPaper, const QString& storedDay);
    // The day of a box as the bill stores it.
    static QString storedDayOf(const QLineEdit* day);

    static constexpr int Left = 240, LabelWidth = 1080, BoxWidth = 3240;
};

class BillQueryDialog : public Form {
    Q_OBJECT
public:
    QDateEdit* Date1;
    QDateEdit* Date2;
    QPushButton* Command1;   // 查询(&C)
    QPushButton* Command2;   // 退出(&Q)

    void Form_Load() override;
    // Asks the owner to list the bills of the days.
    virtual void Command1_Click() = 0;
    void Command2_Click();

protected:
    BillQueryDialog(const QString& caption, const QString& dayLabel, int height);
};
