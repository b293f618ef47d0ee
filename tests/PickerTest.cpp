// Date and time pickers: a click on a part of the value selects it and typed
// digits replace it, in every kind of picker the windows use; the calendar
// pop-up speaks Chinese.
#include <QCalendarWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include "frontdesk/FrmYD.h"
#include "reports/FrmDDTJ.h"
#include "reports/FrmXSHZ.h"
#include "tests/TestSupport.h"

namespace {

class PickerTest : public TabulorTest {
protected:
    void SetUp() override
    {
        TabulorTest::SetUp();
        Clock::fix(QDateTime(QDate(2026, 3, 10), QTime(9, 0, 0)));
        openDb();
    }
};

// The point in the middle of a part of the shown value: the part's letters
// in the display format stand where its digits stand in the text.
QPoint pointOfPart(QDateTimeEdit* picker, const QString& formatLetters)
{
    auto* edit = picker->findChild<QLineEdit*>();
    const int start = picker->displayFormat().indexOf(formatLetters);
    EXPECT_GE(start, 0) << qPrintable(picker->displayFormat());
    const QFontMetrics fm(edit->font());
    const QString text = edit->text();
    const int before = fm.horizontalAdvance(text.left(start));
    const int part = fm.horizontalAdvance(text.mid(start, formatLetters.size()));
    // Where the line edit draws its first character.
    edit->setCursorPosition(0);
    const int textLeft = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().left();
    return QPoint(textLeft + before + part / 2, edit->height() / 2);
}

// Clicks a part of the picker's value with the mouse and types digits.
void clickPartAndType(QDateTimeEdit* picker, const QString& formatLetters, const QString& digits)
{
    picker->window()->show();
    picker->window()->activateWindow();
    processEvents();
    auto* edit = picker->findChild<QLineEdit*>();
    const QPoint at = pointOfPart(picker, formatLetters);
    QTest::mouseClick(edit, Qt::LeftButton, Qt::NoModifier, at);
    processEvents();
    for (QChar c : digits)
        QTest::keyClick(edit, c.toLatin1());
    processEvents();
}

TEST_F(PickerTest, AClickOnAPartSelectsItAndTypedDigitsReplaceIt)
{
    FrmXSHZ& report = Forms::get<FrmXSHZ>();
    FrmDDTJ& totals = Forms::get<FrmDDTJ>();
    FrmYD& reservation = Forms::get<FrmYD>();
    const struct {
        const char* what;
        QDateTimeEdit* picker;
        const char* part;
        const char* typed;
        const char* expected;   // the picker's date and time
    } cases[] = {
        {"report date, day", report.DTPFrom, "dd", "15", "2026-03-15 00:00:00"},
        {"report date, month", report.DTPTo, "MM", "11", "2026-11-10 00:00:00"},
        {"report date, year", report.DTPFrom, "yyyy", "2027", "2027-03-15 00:00:00"},
        {"report time, minute", report.DTPicker2[0], "mm", "45", "2000-01-01 00:45:00"},
        {"report time, hour", report.DTPicker2[1], "HH", "08", "2000-01-01 08:59:59"},
        {"date and time, hour", totals.DateStart, "HH", "17",
         "2026-03-10 17:00:00"},
        {"date and time, day", totals.DateEnd, "dd", "21", "2026-03-21 23:59:59"},
        {"reservation date, day", reservation.DTPicker1, "dd", "15", "2026-03-15 00:00:00"},
        {"reservation time, minute", reservation.DTPicker2, "mm", "30",
         "2000-01-01 09:30:00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        clickPartAndType(c.picker, QString::fromLatin1(c.part), QString::fromLatin1(c.typed));
        EXPECT_EQ(c.picker->dateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), QString::fromLatin1(c.expected));
    }
}

TEST_F(PickerTest, TheCalendarPopUpNamesMonthsAndWeekdaysInChinese)
{
    FrmXSHZ& report = Forms::get<FrmXSHZ>();
    report.DTPFrom->setDate(QDate(2026, 12, 10));
    report.show();
    processEvents();
    // The user opens the calendar with the arrow at the picker's right end.
    QDateEdit* picker = report.DTPFrom;
    QTest::mouseClick(picker, Qt::LeftButton, Qt::NoModifier, QPoint(picker->width() - 5, picker->height() / 2));
    processEvents();
    QCalendarWidget* calendar = picker->calendarWidget();
    ASSERT_NE(calendar, nullptr);
    ASSERT_TRUE(calendar->isVisible());
    auto* month = calendar->findChild<QToolButton*>(QStringLiteral("qt_calendar_monthbutton"));
    ASSERT_NE(month, nullptr);
    EXPECT_EQ(month->text(), QStringLiteral("十二月"));
    auto* days = calendar->findChild<QTableView*>(QStringLiteral("qt_calendar_calendarview"));
    ASSERT_NE(days, nullptr);
    QStringList header;
    for (int column = 0; column < days->model()->columnCount(); ++column) {
        const QString day = days->model()->index(0, column).data().toString();
        if (!day.isEmpty())   // not the corner above the week numbers
            header << day;
    }
    // The week starts on Sunday, as the Chinese calendar of the desktop shows it.
    EXPECT_EQ(header, QStringList({QStringLiteral("周日"), QStringLiteral("周一"), QStringLiteral("周二"), QStringLiteral("周三"),
                                   QStringLiteral("周四"), QStringLiteral("周五"), QStringLiteral("周六")}));
    screenshot(calendar->window(), QStringLiteral("picker-calendar"));
}

} // namespace
