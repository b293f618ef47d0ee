#pragma once
// The receipt's head and foot lines and the printer type, as the rows of
// PRINTSET in force hold them. Used by the print settings window and the
// receipts.
#include <QString>
#include <QStringList>

struct PrintSetLines {
    QStringList head{QString(), QString(), QString()};   // three head lines; the first is the shop's name
    QStringList foot{QString(), QString(), QString()};   // three foot lines
    QString printer;        // PRINTER of the first row in force: "0" thermal, "1" dot-matrix
    bool anyRow = false;    // some row is in force
};

// Reads the rows in force: a head row gives the head lines, any other row the
// foot lines, each by splitting RESTNAME at "|" and taking the first three
// pieces (missing pieces are empty); of several rows of one kind the last
// read wins. Throws DbError when the table cannot be read.
PrintSetLines ReadPrintSet();

// The printer type of the first row in force as a number: 0 thermal (also
// when no row is in force), 1 dot-matrix; -1 for any other value.
int printerType(const PrintSetLines& lines);
// True when a row is in force and the printer type of the first one is 1:
// text goes to the printer through the spooler. Throws DbError.
bool UseRawPrinting();

// The three lines of a stored RESTNAME.
QStringList printSetPieces(const QVariant& restName);
