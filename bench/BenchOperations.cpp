#include "bench/BenchOperations.h"

#include <QDir>
#include <QFile>
#include "db/Database.h"
#include "frontdesk/FrmSYGL.h"
#include "frontdesk/FrmYDGL.h"
#include "platform/Form.h"
#include "shell/FrmXTDL.h"
#include "shell/Module1.h"

namespace Bench {

namespace {

void writePathFile(const Context& ctx)
{
    QFile f(QDir(ctx.programFolder).filePath(Module1::PathFileName));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write((ctx.dbPath + QStringLiteral("\r\n")).toUtf8());
}

// The program as after a login: the shared connection open, the operator set.
void loggedIn(Context& ctx)
{
    if (!Db::isOpen() || Db::path() != ctx.dbPath)
        Db::openShared(ctx.dbPath);
    Module1::OperatorCode = QStringLiteral("SYSTEM");
    Module1::LoggedIn = true;
}

std::vector<Operation> build()
{
    std::vector<Operation> ops;
    ops.push_back({QStringLiteral("start-up to the login window"),
                   [](Context& ctx) {
                       Db::closeShared();
                       Module1::resetForNewProcess();
                       writePathFile(ctx);
                   },
                   [](Context&) -> long {
                       const QString shown = Module1::Main();
                       if (shown != QLatin1String("FrmXTDL"))
                           throw DbError(QStringLiteral("start-up showed ") + shown);
                       return 1;
                   },
                   {}, {}});
    ops.push_back({QStringLiteral("board reload"),
                   [](Context& ctx) {
                       loggedIn(ctx);
                       Forms::get<FrmSYGL>();
                   },
                   [](Context&) -> long {
                       FrmSYGL& board = Forms::get<FrmSYGL>();
                       board.ListView1Detail();
                       return board.ListView1->count();
                   },
                   {}, {}});
    ops.push_back({QStringLiteral("reservation manager open"), loggedIn,
                   [](Context&) -> long {
                       FrmYDGL& manager = Forms::get<FrmYDGL>();
                       return manager.ListView1->count();
                   },
                   {}, {}});
    return ops;
}

} // namespace

const std::vector<Operation>& operations()
{
    static const std::vector<Operation> ops = build();
    return ops;
}

} // namespace Bench
