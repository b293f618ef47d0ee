#include "menu/AutoCodeFile.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include "platform/Seams.h"

namespace AutoCodeFile {

QString path() { return pathIn(ProgramFolder::path()); }

QString pathIn(const QString& folderPath)
{
    const QDir folder(folderPath);
    if (folder.exists(FileName))
        return folder.filePath(FileName);
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden))
        if (name.compare(FileName, Qt::CaseInsensitive) == 0)
            return folder.filePath(name);
    return folder.filePath(FileName);
}

QString nextCode(const QString& content)
{
    QString value = content.section(u'\n', 0, 0).section(u',', 0, 0);
    value.remove(u'\r');
    int i = 0;
    while (i < value.size() && value[i].isSpace())
        ++i;
    value = value.mid(i);
    if (value.isEmpty())
        return QStringLiteral("1");
    // The digits it starts with, and a decimal part after a point.
    QString whole, fraction;
    int k = 0;
    while (k < value.size() && value[k] >= u'0' && value[k] <= u'9')
        whole += value[k++];
    if (k < value.size() && value[k] == u'.') {
        for (++k; k < value.size() && value[k] >= u'0' && value[k] <= u'9'; ++k)
            fraction += value[k];
    }
    while (fraction.endsWith(u'0'))
        fraction.chop(1);
    // One more, digit by digit, so that no length overflows.
    QString next = whole.isEmpty() ? QStringLiteral("0") : whole;
    int d = int(next.size()) - 1;
    while (d >= 0 && next[d] == u'9')
        next[d--] = u'0';
    if (d < 0)
        next.prepend(u'1');
    else
        next[d] = QChar(next[d].unicode() + 1);
    while (next.size() > 1 && next.startsWith(u'0'))
        next.remove(0, 1);
    return fraction.isEmpty() ? next : next + u'.' + fraction;
}

QString proposal()
{
    QFile f(path());
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("1");
    return nextCode(QString::fromLocal8Bit(f.readAll()));
}

bool write(const QString& code) { return writeFile(path(), code); }

bool writeFile(const QString& file, const QString& code)
{
    QSaveFile f(file);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write((code.trimmed() + QStringLiteral("\r\n")).toLocal8Bit());
    return f.commit();
}

} // namespace AutoCodeFile
