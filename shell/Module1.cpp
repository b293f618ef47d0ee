#include "shell/Module1.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include "db/Database.h"
#include "platform/Form.h"
#include "platform/Seams.h"
#include "shell/FrmPathSetup.h"
#include "shell/FrmXTDL.h"

namespace Module1 {

namespace {

// The path file start-up reads: the one in the current directory, or, when
// none is there, the one in the program's folder, where path set-up writes it
// (a program started from another folder still finds its database).
QString pathFileToRead()
{
    const QString here = QDir::current().filePath(PathFileName);
    if (QFileInfo::exists(here))
        return here;
    const QString beside = QDir(AppPath).filePath(PathFileName);
    if (QFileInfo::exists(beside))
        return beside;
    return {};
}

// The first line of the path file; false when the file cannot be read or
// holds no line at all.
bool readFirstLine(const QString& file, QString& line)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray all = f.readAll();
    if (all.isEmpty())
        return false;
    QString text = QString::fromUtf8(all);
    const int end = text.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    line = end < 0 ? text : text.left(end);
    return true;
}

} // namespace

QString Main()
{
    AppPath = ProgramFolder::path();
    LoggedIn = false;

    const QString file = pathFileToRead();
    if (file.isEmpty()) {
        Forms::show(Forms::get<FrmPathSetup>());
        return QStringLiteral("FrmPathSetup");
    }
    QString line;
    const bool read = readFirstLine(file, line);
    if (read)
        DatabasePath = line;
    const Db::ProbeResult probe = read ? Db::probeFile(DatabasePath) : Db::ProbeResult{};
    // A database that cannot be written is told now, not at the first save.
    if (probe.readOnly || (!probe.ok && probe.kind == DbError::ReadOnly))
        MsgBox(ReadOnlyAtStart + u'\n' + DatabasePath, Msg::Exclamation, QStringLiteral("信息提示"));
    if (probe.ok) {
        Forms::show(Forms::get<FrmXTDL>());
        return QStringLiteral("FrmXTDL");
    }
    if (probe.kind != DbError::ReadOnly)
        MsgBox(QStringLiteral("路径设置有误!"), Msg::Exclamation, QStringLiteral("信息提示"));
    Forms::show(Forms::get<FrmPathSetup>());
    return QStringLiteral("FrmPathSetup");
}

void resetForNewProcess()
{
    SharedRecordset = Recordset();
    SharedRecordset2 = Recordset();
    SharedRecordset3 = Recordset();
    OperatorCode.clear();
    OperatorId.clear();
    SelectTableMode = TransferTableMode = MergeTableMode = false;
    TargetTableId.clear();
    TargetOpenTime.clear();
    RefundAllowed = false;
    ReportStartTime = ReportEndTime = QDateTime();
    TableOpened = false;
    LoggedIn = false;
    DatabasePath.clear();
    AppPath.clear();
}

} // namespace Module1
