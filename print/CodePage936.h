#pragma once
// Code page 936 (GBK), the code page of the printers and of the quick codes:
// a character converts to one byte (ASCII) or two; a character the code page
// lacks converts to "?". Conversion goes one character at a time, with no
// transliteration.
#include <QByteArray>
#include <QString>

namespace Cp936 {

// The bytes of one character (a Unicode code point): one or two bytes, or
// "?" when the code page lacks it.
QByteArray encodeChar(char32_t c);
// The bytes of a text, character by character.
QByteArray encode(const QString& text);

} // namespace Cp936

// The width of a text in single-byte columns, as it stands on the line of a
// character printer: a character that code page 936 stores in two bytes
// counts 2, every other character 1 (so a missing character, printed as "?",
// counts 1). Equals the number of bytes of encode(text).
int AnsiTextWidth(const QString& text);

// A dish's quick code: one character per character of the name (a character
// beyond the basic plane counts one).
// A double-byte character gives the letter of the GB2312 level-1 range its
// code falls in (below the first range "0"; the last range, Z, is open
// upwards, so level-2 characters all give "Z"); a single-byte character, or
// one the code page lacks, gives itself upper-cased when that is "A".."Z",
// otherwise "0". Works on the code alone, with no pronunciation data.
QString PinyinInitials(const QString& name);
