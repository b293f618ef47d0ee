#pragma once
// Checked files of expected output (tests/data): printed bytes are compared
// with them whole. On a difference the actual bytes go to build/screenshots
// under the same name, for a look (iconv -f GBK for code page 936 text).
#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <gtest/gtest.h>

inline QString checkedFilePath(const QString& name)
{
    // Not from __FILE__: a compiler cache may make that path relative to the build.
    return QStringLiteral(TABULOR_TEST_DATA_DIR "/") + name;
}

inline QByteArray readCheckedFile(const QString& name)
{
    QFile f(checkedFilePath(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void expectCheckedFile(const QByteArray& bytes, const QString& name)
{
    const QByteArray expected = readCheckedFile(name);
    if (bytes != expected) {
        QFile out(QStringLiteral(TABULOR_SCREENSHOT_DIR "/") + name);
        if (out.open(QIODevice::WriteOnly))
            out.write(bytes);
    }
    EXPECT_EQ(bytes, expected) << "actual bytes in " TABULOR_SCREENSHOT_DIR "/" << qPrintable(name);
}
