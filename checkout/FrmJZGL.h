#pragma once
// The checkout window ("结帐管理"): the bill of the seating at the board's
// current table. It totals the seating's open order lines and takes the
// payment method, an amount waived and the amount the guest hands over; its
// 结帐 button settles the seating and prints the receipt.
//
// Settling is one transaction: the payment row, the bill row, the seating's
// table and the seating marked settled, and the lines the window totalled
// marked settled by that bill. The receipt prints afterwards from a snapshot
// of those lines; a printer that is missing or fails costs a message, never
// the checkout.
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <optional>
#include <vector>
#include "checkout/Receipt.h"
#include "db/Money.h"
#include "platform/Form.h"

class FrmJZGL : public Form {
    Q_OBJECT
public:
    FrmJZGL();
    ~FrmJZGL() override;

    // Frame "客人信息"
    QGroupBox* Frame1;
    QLineEdit* TxtFTMC;      // table name
    QLineEdit* TxtKTSJ;      // open time of the seating (board column 6)
    QLineEdit* TxtJCRS;      // diners
    QLineEdit* TxtFTBM;      // table id (hidden)
    QLineEdit* TxtSGDH;      // manual bill number (hidden)
    QFrame* Picture1;        // totals panel, beyond the frame's visible area
    QLabel* LblYSJEHJ;
    QLabel* LblJCXFJE;
    QLabel* LblJCJEXJ;
    QLabel* LblFTXF;
    QLabel* LblZKE;
    QLabel* LblZKFA;

    // Frame "结帐金额"
    QGroupBox* Frame2;
    QComboBox* CmbFZFS;      // payment method
    QLabel* LblYSJE;         // receivable
    QLineEdit* TxtMSJE;      // amount waived
    QLabel* LblSSJE;         // amount to collect
    QLineEdit* TxtKRFKJE;    // amount tendered
    QPushButton* Command6;   // 结帐
    QPushButton* Command8;   // 退出
    QPushButton* Command4;   // 明细 (hidden)
    QLabel* LblZBJE;         // change, beyond the frame's visible area
    QLabel* LblFPJE;         // invoice amount, beyond the frame's visible area

    // Frame "结帐信息", beyond the window's visible area
    QGroupBox* Frame3;
    QLineEdit* TxtHYKH;      // member card number
    QLineEdit* TxtHYDM;
    QLineEdit* TxtHYMC;
    QLineEdit* TxtHYLX;
    QLineEdit* TxtLXDH;
    QLineEdit* TxtGZSX;
    QLineEdit* TxtLJGZJE;
    QLineEdit* TxtKGJE;

    // Beyond the window's visible area
    QPushButton* Command1;   // 清除
    QPushButton* Command2;   // 预结帐
    QPushButton* Command3;   // 会员
    QPushButton* Command5;   // 发票
    QPushButton* Command7;   // 帮助

    // The seating being settled (its use_table_id), found when the window loads.
    QString CheckoutSeatingId;

    void Form_Load() override;
    void CmbFZFS_Click();
    // Enter in the card box: shows the member of the card.
    void TxtHYKH_KeyPress(int keyAscii);
    void TxtMSJE_GotFocus();
    // Leaving the waived box: checks the amount; on a refusal it has said so
    // and taken the focus back. Returns whether the amount stands.
    bool TxtMSJE_LostFocus();
    void TxtKRFKJE_GotFocus();
    void TxtKRFKJE_KeyPress(int keyAscii);
    void Command5_Click();
    // The checkout.
    void Command6_Click();
    void Command8_Click();

    // The receipt of the checkout just written, as text through the spooler
    // or on the printer object. The lines were settled with the bill.
    void PrintBillRaw();
    void PrintBillAndSettle();
    // The 'Orders' parameter: "Order" prints the lines in entry order; any
    // other value, or no row, by dish category ("Class" when missing).
    QString GetBillLineOrder();

    // Payment method codes as the bill rows store them ("现金" → "0").
    static QString paymentCode(const QString& method);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* caption(QWidget* parent, const QString& text, int left, int top, int width = 1035);
    QLineEdit* memberField(const QString& text, int left, int top);
    // The waived amount if it stands (see TxtMSJE_LostFocus).
    std::optional<Money> checkedWaived();
    enum class Outcome { Settled, Refused, Failed };
    // Writes the checkout. Refused: another till changed the seating (said
    // already); Failed: a database error (said, nothing written).
    Outcome settle(const Money& waived, const Money& toCollect);

    Money m_receivable;
    std::vector<qint64> m_openLines;   // the open lines totalled at loading (their row ids)
    std::optional<Receipt> m_receipt;  // what the checkout just written prints
    bool m_committing = false;
    // The application's focus changes, watched while the window lives.
    QMetaObject::Connection m_focusWatch;
    bool m_shownOnce = false;
};
