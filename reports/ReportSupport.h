#pragma once
// What the sales report windows share: the report period and its pickers,
// exact sums in statements, and the texts of amounts and padding.
#include <QDateEdit>
#include <QLabel>
#include <QString>
#include <QTimeEdit>
#include <QVariantList>
#include "db/Money.h"

// A report period as the stored text form "yyyy-MM-dd HH:mm:ss", so that it
// compares with the stored date-times as text. A moment counts when
// start <= moment <= end.
struct ReportPeriod {
    QString start;
    QString end;
    int days = 0;   // from the start day to the end day, both counted

    bool isNull() const { return start.isEmpty() || end.isEmpty(); }
    QVariantList bounds() const { return {start, end}; }
};

// The date and the time picker of one bound.
QDateEdit* reportDatePicker(QWidget* parent);
QTimeEdit* reportTimePicker(QWidget* parent);
// Every report opens on today, from 00:00:00 to 23:59:59.
void setDayRange(QDateEdit* fromDate, QTimeEdit* fromTime, QDateEdit* toDate, QTimeEdit* toTime);
ReportPeriod periodFromPickers(const QDateEdit* fromDate, const QTimeEdit* fromTime, const QDateEdit* toDate,
                               const QTimeEdit* toTime);
ReportPeriod periodOf(const QDateTime& start, const QDateTime& end);
// Keeps the period in ReportStartTime and ReportEndTime.
void setReportPeriod(const ReportPeriod& period);

namespace ReportSql {
// An amount or quantity expression as whole ten-thousandths, the precision
// of the stored money, so that SUM adds integers exactly.
QString units(const QString& expr);
// The exact sum of an expression, back in currency units (0 over no rows).
// A value read from it converts exactly with Money::fromVariant.
QString exactSum(const QString& expr);
} // namespace ReportSql

// "########0.00"
inline QString amountText(Money m) { return m.format(2); }
// "#########": a whole number, nothing for zero.
QString wholeOrBlank(qint64 n);
// The blanks that set a field to its column; a field already past its
// column still gets one blank, so that two fields never run together.
QString padding(int blanks);

// The period line of the grid reports, left to right: "时间", start, "至",
// end, "共计", number of days, "天"; the three values bordered and empty
// until the first query.
struct PeriodLine {
    QLabel* time;
    QLabel* start;
    QLabel* to;
    QLabel* end;
    QLabel* total;
    QLabel* days;
    QLabel* dayUnit;
    void show(const ReportPeriod& period) const;
};
PeriodLine makePeriodLine(QWidget* strip, int top, int startWidth, int endWidth);
