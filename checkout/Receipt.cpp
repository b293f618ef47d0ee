#include "checkout/Receipt.h"

#include <algorithm>
#include "platform/Blanks.h"
#include "platform/Printer.h"
#include "print/CodePage936.h"
#include "print/TextWidth.h"

namespace {

const QString CrLf = QStringLiteral("\r\n");

// Blanks that fill a field up to its width; a field already wider keeps one
// blank after it.
QString blanks(int count)
{
    return QString(count < 0 ? 1 : count, u' ');
}

// Hours and minutes of the open time as the window shows it.
QString hoursAndMinutes(const QString& openTime)
{
    const QDateTime t = QDateTime::fromString(openTime.trimmed(), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return t.isValid() ? t.toString(QStringLiteral("HH:mm")) : openTime.trimmed().right(5);
}

// The free lines of the receipt, their quantities summed per name as printed,
// price and category, by category.
std::vector<ReceiptLine> freeDishes(const Receipt& receipt)
{
    std::vector<ReceiptLine> dishes;
    for (const ReceiptLine& line : receipt.lines) {
        if (!line.free)
            continue;
        const QString name = TrimBlanks(line.name);
        auto same = std::find_if(dishes.begin(), dishes.end(), [&](const ReceiptLine& d) {
            return d.name == name && d.price == line.price && d.category == line.category;
        });
        if (same != dishes.end()) {
            same->quantity += line.quantity;
        } else {
            dishes.push_back(line);
            dishes.back().name = name;
        }
    }
    std::stable_sort(dishes.begin(), dishes.end(),
                     [](const ReceiptLine& a, const ReceiptLine& b) { return a.category < b.category; });
    return dishes;
}

} // namespace

QString setToColumn(const QString& text, int column)
{
    return text + blanks(column - AnsiTextWidth(text));
}

QString formatHashes(Money amount)
{
    QString s = amount.format(2);
    if (s.startsWith(QStringLiteral("0.")))
        s.remove(0, 1);
    else if (s.startsWith(QStringLiteral("-0.")))
        s.remove(1, 1);
    return s;
}

void orderReceiptLines(Receipt& receipt, const QString& lineOrder)
{
    auto& lines = receipt.lines;
    if (lineOrder == QStringLiteral("Order"))
        std::stable_sort(lines.begin(), lines.end(),
                         [](const ReceiptLine& a, const ReceiptLine& b) { return a.entry < b.entry; });
    else
        std::stable_sort(lines.begin(), lines.end(), [](const ReceiptLine& a, const ReceiptLine& b) {
            return a.category != b.category ? a.category < b.category : a.entry < b.entry;
        });
}

Money lineCharge(const ReceiptLine& line)
{
    return line.free ? Money{} : line.price.times(line.quantity);
}

Money receiptTotal(const Receipt& receipt)
{
    Money total;
    for (const ReceiptLine& line : receipt.lines)
        total += lineCharge(line);
    return total;
}

QStringList receiptTextLines(const Receipt& r)
{
    const QString rule = QString(22, QChar(0x2501));   // ━
    QStringList out;
    for (const QString& head : r.print.head)
        out << QStringLiteral("   ") + head;
    out << QStringLiteral("       　　") + QString(11, QChar(0x2508));   // ┈
    out << QStringLiteral("营业日期：") + r.checkoutTime.toString(QStringLiteral("yyyy/MM/dd"));
    out << QStringLiteral("房台名称：") + r.tableName;
    out << setToColumn(QStringLiteral("开台时间") + hoursAndMinutes(r.openTime), 28) + QStringLiteral("结帐时间")
               + r.checkoutTime.toString(QStringLiteral("HH:mm"));
    out << setToColumn(QStringLiteral("结帐员：") + r.operatorCode, 28) + QStringLiteral("付款方式：") + r.paymentMethod;
    out << QString();
    out << QStringLiteral("项目") + blanks(14) + QStringLiteral("单价") + blanks(6) + QStringLiteral("数量") + blanks(4)
               + QStringLiteral("金额") + blanks(4);
    out << rule;
    for (const ReceiptLine& line : r.lines) {
        if (line.quantity == Money{})
            continue;   // a line of nothing is neither printed nor counted
        const Money price = line.free ? Money{} : line.price;
        out << setToColumn(TrimBlanks(line.name), 18) + setToColumn(price.plain(), 10)
                   + setToColumn(line.quantity.plain(), 8) + price.times(line.quantity).plain();
    }
    for (const ReceiptLine& dish : freeDishes(r))
        out << setToColumn(dish.name, 18) + setToColumn(dish.price.plain(), 10) + setToColumn(dish.quantity.plain(), 8)
                   + QStringLiteral("0.00");
    out << rule;
    out << setToColumn(QStringLiteral("应收金额：") + formatHashes(receiptTotal(r)) + QStringLiteral("元"), 28)
               + QStringLiteral("免收金额：") + r.waived.format(2);
    out << QStringLiteral("实收：") + formatHashes(r.toCollect) + QStringLiteral("元");
    for (const QString& foot : r.print.foot)
        out << QStringLiteral("   ") + foot;
    for (QString& line : out)
        line += CrLf;
    out << CrLf.repeated(10);   // paper feed
    return out;
}

void printReceipt(PrinterObject& p, const Receipt& r, const QFont& font)
{
    const QString rule = QString(17, QChar(0x2501));   // ━
    auto print = [&p](double size, const QString& text) {
        p.setFontSize(size);
        p.printLine(text);
    };
    p.startDoc();   // a receipt is a document of its own
    p.setBold(false);
    for (const QString& head : r.print.head)
        print(11, head);
    print(9, QString(34, u'-'));
    print(9, QStringLiteral("营业日期：") + r.checkoutTime.toString(QStringLiteral("yyyy-MM-dd")));
    print(9, QStringLiteral("房台名称：") + r.tableName);
    print(9, QStringLiteral("开台时间：") + hoursAndMinutes(r.openTime));
    print(9, QStringLiteral("结帐时间：") + r.checkoutTime.toString(QStringLiteral("HH:mm")));
    print(9, QStringLiteral("结帐员：") + r.operatorCode);
    print(9, QStringLiteral("付款方式：") + r.paymentMethod + CrLf);
    print(9, QStringLiteral("项目\t\t数量\t 金额"));
    print(9, rule);
    for (const ReceiptLine& line : r.lines) {
        if (line.quantity == Money{})
            continue;
        const QString name = TrimBlanks(line.name);
        const QString tabs = TextMeasurer::widthTwips(name, font) >= 720 ? QStringLiteral("\t") : QStringLiteral("\t\t");
        const QString amount = lineCharge(line).format(2);
        print(9, name + tabs + line.quantity.plain().rightJustified(4) + blanks(9 - AnsiTextWidth(amount)) + amount);
    }
    print(9, rule + CrLf);
    print(9, QStringLiteral("应收金额：") + receiptTotal(r).format(2) + QStringLiteral("元"));
    print(9, QStringLiteral("免收金额：") + r.waived.format(2) + QStringLiteral("元"));
    p.setBold(true);
    print(13, QStringLiteral("实收：") + r.toCollect.format(2) + QStringLiteral("元") + CrLf);
    p.setBold(false);
    for (const QString& foot : r.print.foot)
        print(11, foot);
    p.endDoc();
}
