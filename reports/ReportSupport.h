#pragma once
// What the sales report windows share: the report period and its pickers,
// exact sums in statements, and the texts of amounts and padding.
#include <QDateEdit>
#include <QLabel>
#include <QString>
#include <QStyle>
#include <QTimeEdit>
#include <QVariantList>
#include <functional>
#include <initializer_list>
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

// The period line of the grid reports, in a strip under the toolbar, left
// to right: "时间", start, "至", end, "共计", number of days, "天"; the three
// values bordered and empty until the first query.
struct PeriodLine {
    QFrame* strip;
    QLabel* time;
    QLabel* start;
    QLabel* to;
    QLabel* end;
    QLabel* total;
    QLabel* days;
    QLabel* dayUnit;
    void show(const ReportPeriod& period) const;
};
// The strip's place and size and the widths of the start and end in twips.
PeriodLine makePeriodLine(QWidget* window, const QRect& stripTwips, int startWidth, int endWidth);

class Form;
class Recordset;
class Toolbar;

// The query of a report's dialog: opens the statement over the period into
// rs. The dialog closes itself after every query; when the statement fails it
// closes after the error message, and when it finds no row it closes and then
// says nothingFound (information). True when rows were found.
bool runDialogQuery(Form& dialog, Recordset& rs, const QString& statement, const ReportPeriod& period,
                    const QString& nothingFound);
// The same over rows the program reads itself.
bool runDialogQuery(Form& dialog, Recordset& rs, const std::function<Recordset()>& read, const QString& nothingFound);

// A button of a report window's toolbar. A button the window does not use
// stays in its place, hidden (and, where designed so, disabled).
struct ReportButton {
    const char* caption;
    const char* key;
    QStyle::StandardPixmap picture;
    bool shown = true;
    bool enabled = true;
};
// The toolbar across the top of a report window, its buttons counted from 1.
Toolbar* makeReportToolbar(QWidget* window, int widthTwips, std::initializer_list<ReportButton> buttons);
