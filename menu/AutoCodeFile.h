#pragma once
// The dish-code counter file "AutoCode.text" beside the program: one line,
// the code of the last dish saved through the new-dish dialog, ended by CR LF.
// The file is one file whatever the letter case of its name.
#include <QString>

namespace AutoCodeFile {

inline const QString FileName = QStringLiteral("AutoCode.text");

// The counter file: an existing file of that name in any letter case, else
// the usual name in the program's folder.
QString path();
// The same in another folder (the demo set-up writes the file beside the
// database it builds).
QString pathIn(const QString& folder);
// The code that the text of a counter file proposes next: its first value
// (the first line up to a comma, leading blanks skipped) as the number it
// starts with (0 when none), plus one, in plain decimal; "1" when there is no
// value.
QString nextCode(const QString& content);
// The code proposed now: from the file, or "1" when there is none.
QString proposal();
// Replaces the file with one line: code, then CR LF. False when it cannot be
// written.
bool write(const QString& code);
bool writeFile(const QString& file, const QString& code);

} // namespace AutoCodeFile
