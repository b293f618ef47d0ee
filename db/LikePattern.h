#pragma once
// Patterns for LIKE ... ESCAPE '\' built from typed text: the text is taken
// literally, so a typed "%", "_" or "\" matches only itself.
#include <QString>

namespace LikePattern {

// The text with the pattern characters escaped.
inline QString literal(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c == u'\\' || c == u'%' || c == u'_')
            out += u'\\';
        out += c;
    }
    return out;
}

// Texts that start with the given text.
inline QString prefix(const QString& text) { return literal(text) + u'%'; }
// Texts that contain the given text anywhere.
inline QString fragment(const QString& text) { return u'%' + literal(text) + u'%'; }

} // namespace LikePattern
