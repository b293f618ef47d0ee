#pragma once
// Blanks are ASCII blanks: trimming removes those only, never the full-width
// blank U+3000 (names may hold it on purpose), tabs or line breaks, as
// QString::trimmed() would.
#include <QString>

inline QString TrimBlanks(const QString& text)
{
    qsizetype from = 0, to = text.size();
    while (from < to && text[from] == u' ')
        ++from;
    while (to > from && text[to - 1] == u' ')
        --to;
    return text.mid(from, to - from);
}
