#include "reports/ReportSupport.h"

#include "db/DateTimeText.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/Pickers.h"
#include "platform/Seams.h"
#include "platform/Twips.h"
#include "shell/Module1.h"

namespace {

const QString TimeFormat = QStringLiteral("HH:mm:ss");

QString boundText(const QDate& date, const QTime& time)
{
    return DateTimeText::formatDate(date) + u' ' + time.toString(TimeFormat);
}

ReportPeriod periodOfDays(const QDate& fromDate, const QTime& fromTime, const QDate& toDate, const QTime& toTime)
{
    ReportPeriod p;
    p.start = boundText(fromDate, fromTime);
    p.end = boundText(toDate, toTime);
    p.days = int(fromDate.daysTo(toDate)) + 1;
    return p;
}

} // namespace

QDateEdit* reportDatePicker(QWidget* parent)
{
    auto* d = new DatePicker(parent);
    d->setDisplayFormat(DateTimeText::DateFormat);
    d->setCalendarPopup(true);
    return d;
}

QTimeEdit* reportTimePicker(QWidget* parent)
{
    auto* t = new TimePicker(parent);
    t->setDisplayFormat(TimeFormat);
    return t;
}

void setDayRange(QDateEdit* fromDate, QTimeEdit* fromTime, QDateEdit* toDate, QTimeEdit* toTime)
{
    const QDate today = Clock::today();
    fromDate->setDate(today);
    toDate->setDate(today);
    fromTime->setTime(QTime(0, 0, 0));
    toTime->setTime(QTime(23, 59, 59));
}

ReportPeriod periodFromPickers(const QDateEdit* fromDate, const QTimeEdit* fromTime, const QDateEdit* toDate,
                               const QTimeEdit* toTime)
{
    return periodOfDays(fromDate->date(), fromTime->time(), toDate->date(), toTime->time());
}

ReportPeriod periodOf(const QDateTime& start, const QDateTime& end)
{
    return periodOfDays(start.date(), start.time(), end.date(), end.time());
}

void setReportPeriod(const ReportPeriod& period)
{
    Module1::ReportStartTime = DateTimeText::parse(period.start);
    Module1::ReportEndTime = DateTimeText::parse(period.end);
}

namespace ReportSql {

QString units(const QString& expr)
{
    return QStringLiteral("CAST(ROUND((%1) * 10000) AS INTEGER)").arg(expr);
}

QString exactSum(const QString& expr)
{
    return QStringLiteral("(COALESCE(SUM(%1), 0) / 10000.0)").arg(units(expr));
}

} // namespace ReportSql

QString wholeOrBlank(qint64 n)
{
    return n == 0 ? QString() : QString::number(n);
}

QString padding(int blanks)
{
    return QString(blanks < 0 ? 1 : blanks, u' ');
}

void PeriodLine::show(const ReportPeriod& period) const
{
    start->setText(period.start);
    end->setText(period.end);
    days->setText(QString::number(period.days));
}

PeriodLine makePeriodLine(QWidget* window, const QRect& stripTwips, int startWidth, int endWidth)
{
    auto* strip = new QFrame(window);
    strip->setFrameShape(QFrame::StyledPanel);
    Twips::place(strip, stripTwips.x(), stripTwips.y(), stripTwips.width(), stripTwips.height());
    const int top = (stripTwips.height() - 345) / 2;
    auto caption = [&](const QString& text, int left, int width) {
        auto* l = new QLabel(text, strip);
        Twips::place(l, left, top + 30, width, 270);
        return l;
    };
    auto value = [&](int left, int width) {
        auto* l = new QLabel(strip);
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setAlignment(Qt::AlignCenter);
        // The narrow face holds a whole date-time in the designed width.
        QFont narrow(QStringLiteral("Noto Sans CJK SC"));
        narrow.setPointSize(9);
        l->setFont(narrow);
        Twips::place(l, left, top, width, 330);
        return l;
    };
    PeriodLine line{};
    line.strip = strip;
    int x = 120;
    line.time = caption(QStringLiteral("时间"), x, 480);
    x += 540;
    line.start = value(x, startWidth);
    x += startWidth + 120;
    line.to = caption(QStringLiteral("至"), x, 300);
    x += 360;
    line.end = value(x, endWidth);
    x += endWidth + 120;
    line.total = caption(QStringLiteral("共计"), x, 480);
    x += 540;
    line.days = value(x, 735);
    x += 735 + 120;
    line.dayUnit = caption(QStringLiteral("天"), x, 300);
    return line;
}

Toolbar* makeReportToolbar(QWidget* window, int widthTwips, std::initializer_list<ReportButton> buttons)
{
    auto* bar = new Toolbar(window);
    Twips::place(bar, 0, 0, widthTwips, 900);
    bar->setIconSize(QSize(24, 24));
    for (const ReportButton& b : buttons) {
        const int index = bar->addButton(QString::fromUtf8(b.caption), QString::fromLatin1(b.key),
                                         window->style()->standardIcon(b.picture));
        bar->setButtonVisible(index, b.shown);
        bar->setButtonEnabled(index, b.enabled);
    }
    return bar;
}

bool runDialogQuery(Form& dialog, Recordset& rs, const QString& statement, const ReportPeriod& period,
                    const QString& nothingFound)
{
    return runDialogQuery(
        dialog, rs,
        [&] {
            Recordset read;
            read.open(statement, period.bounds());
            return read;
        },
        nothingFound);
}

bool runDialogQuery(Form& dialog, Recordset& rs, const std::function<Recordset()>& read, const QString& nothingFound)
{
    if (!RunDbAction([&] { rs = read(); })) {
        dialog.Unload();
        return false;
    }
    if (rs.empty()) {
        dialog.Unload();
        MsgBox(nothingFound, Msg::Information);
        return false;
    }
    return true;
}
