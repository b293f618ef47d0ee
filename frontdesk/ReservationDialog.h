#pragma once
// The fields shared by the new-reservation dialog and the edit dialog, their
// entry rules and the checks made before a reservation is written.
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include "db/Money.h"
#include "platform/Form.h"

class ReservationDialog : public Form {
    Q_OBJECT
public:
    explicit ReservationDialog(const QString& saveCaption);

    QLineEdit* TxtYDR;     // booker
    QLineEdit* TxtLXDH;    // phone
    QLineEdit* TxtDJSJ;    // booking time, read-only
    QComboBox* Combo1;     // shift
    QDateEdit* DTPicker1;  // dining date
    QTimeEdit* DTPicker2;  // meal time
    QLineEdit* TxtDCRS;    // number of guests
    QLineEdit* TxtYJ;      // deposit
    QLineEdit* TxtBZ;      // remark
    QPushButton* CmdYD;    // save
    QPushButton* CmdXZ;    // close without saving

    // The values of one reservation as the fields give them, after checks.
    struct Values {
        QString booker, phone, guests, shift, remark, mealTime;
        Money deposit;
    };

protected:
    // The required fields in order (booker, phone, guests), then the numbers.
    // On a refusal it has said why and put the focus on the field.
    bool checkRequired();
    bool checkNumbers();
    // The meal time from the pickers' values, in the stored form.
    QString mealTime() const;
    Values values() const;

private:
    QLabel* label(const QString& text, int left, int top);
};
