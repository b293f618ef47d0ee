#include "shell/PrintSet.h"

#include <QVariant>
#include "db/Money.h"
#include "db/Recordset.h"

QStringList printSetPieces(const QVariant& restName)
{
    QStringList pieces = restName.isNull() ? QStringList() : restName.toString().split(u'|');
    while (pieces.size() < 3)
        pieces << QString();
    return pieces.mid(0, 3);
}

PrintSetLines ReadPrintSet()
{
    PrintSetLines lines;
    Recordset rows;
    rows.open(QStringLiteral("SELECT RESTNAME, PRINTER, STATE, HEAD FROM PRINTSET WHERE STATE <> 0 ORDER BY rowid"));
    for (rows.MoveFirst(); !rows.isEOF(); rows.MoveNext()) {
        if (!lines.anyRow) {
            lines.anyRow = true;
            lines.printer = rows.text(QStringLiteral("PRINTER"));
        }
        const QVariant head = rows.field(QStringLiteral("HEAD"));
        const QStringList pieces = printSetPieces(rows.field(QStringLiteral("RESTNAME")));
        if (!head.isNull() && head.toLongLong() != 0)
            lines.head = pieces;
        else
            lines.foot = pieces;
    }
    return lines;
}

int printerType(const PrintSetLines& lines)
{
    if (!lines.anyRow)
        return 0;
    // Stored as text and compared as a number: "1" and "1.0" are the same type.
    bool ok = false;
    const Money type = Money::parse(lines.printer, &ok);
    if (ok && type == Money::fromUnits(0))
        return 0;
    if (ok && type == Money::fromUnits(Money::Scale))
        return 1;
    return -1;
}

bool UseRawPrinting()
{
    return printerType(ReadPrintSet()) == 1;
}
