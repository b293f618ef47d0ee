#include "platform/Registry.h"

#include <QDir>
#include <QFile>
#include "platform/Seams.h"

namespace Registry {

namespace {

QString rootName(unsigned int root)
{
    switch (root) {
    case HKEY_CLASSES_ROOT: return QStringLiteral("HKEY_CLASSES_ROOT");
    case HKEY_CURRENT_USER: return QStringLiteral("HKEY_CURRENT_USER");
    case HKEY_LOCAL_MACHINE: return QStringLiteral("HKEY_LOCAL_MACHINE");
    case HKEY_USERS: return QStringLiteral("HKEY_USERS");
    default: return {};
    }
}

// "a\\b\\" and "A\b" name the same key.
QString normalKey(const QString& path)
{
    QString k = path.trimmed();
    while (k.endsWith(u'\\'))
        k.chop(1);
    return k.toCaseFolded();
}

constexpr int MaxValueBytes = 1024;

} // namespace

QString storeFile() { return QDir(ProgramFolder::path()).filePath(QStringLiteral("registry.ini")); }

bool readValue(unsigned int root, const QString& keyPath, const QString& valueName, QString& value)
{
    value.clear();
    const QString rootText = rootName(root);
    if (rootText.isEmpty())
        return false;
    QFile f(storeFile());
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QString wantedKey = normalKey(rootText + u'\\' + keyPath);
    const QString wantedName = valueName.trimmed().toCaseFolded();
    const QStringList lines = QString::fromUtf8(f.readAll()).split(u'\n');
    bool inKey = false;
    for (QString line : lines) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            inKey = normalKey(line.mid(1, line.size() - 2)) == wantedKey;
            continue;
        }
        if (!inKey)
            continue;
        const int eq = line.indexOf(u'=');
        if (eq < 0 || line.left(eq).trimmed().toCaseFolded() != wantedName)
            continue;
        QString raw = line.mid(eq + 1).trimmed();
        if (raw.size() >= 2 && raw.startsWith(u'"') && raw.endsWith(u'"'))
            raw = raw.mid(1, raw.size() - 2);
        if (raw.startsWith(QStringLiteral("dword:"), Qt::CaseInsensitive)) {
            bool ok = false;
            const uint number = raw.mid(6).toUInt(&ok, 16);
            if (!ok)
                return false;
            value = QString::number(number);
            return true;
        }
        // The text and its closing NUL must fit the read buffer.
        if (raw.toLocal8Bit().size() + 1 > MaxValueBytes)
            return false;
        value = raw;
        return true;
    }
    return false;
}

} // namespace Registry
