#pragma once
// Process-wide variables and the start-up procedure.
#include <QDateTime>
#include <QString>
#include "db/Recordset.h"

namespace Module1 {

// The shared connection itself lives in db/ (Db::shared()); these hold the
// scratch result sets that windows hand to each other.
inline Recordset SharedRecordset;
inline Recordset SharedRecordset2;
inline Recordset SharedRecordset3;

inline QString OperatorCode;        // the user logged in now
inline QString OperatorId;          // no window assigns it: it stays empty
inline bool SelectTableMode = false;
inline bool TransferTableMode = false;
inline bool MergeTableMode = false;
inline QString TargetTableId;       // table chosen in the table picker
inline QString TargetOpenTime;      // open time of the merge target's seating
inline bool RefundAllowed = false;
inline QDateTime ReportStartTime;
inline QDateTime ReportEndTime;
inline bool TableOpened = false;
inline bool LoggedIn = false;
inline QString DatabasePath;
inline QString AppPath;

// The path file's name; read from the current directory, written into the
// program's folder.
inline const QString PathFileName = QStringLiteral("DataBasePath.txt");

// Said at start-up when the database file or its folder cannot be written.
inline const QString ReadOnlyAtStart = QStringLiteral(
    "数据库文件或它所在的文件夹是只读的，程序不能保存任何数据。请让管理员开放该文件和文件夹的写入权限。");

// Start-up: finds the database through the path file, probes it and shows the
// login window, or the path set-up window. Returns the name of the window shown.
QString Main();

// Resets every variable to its start value (a new process; tests use it).
void resetForNewProcess();

} // namespace Module1
