// Builds a Tabulor database file from the schema and the seed rows, with the
// demo rows when asked: tabulor-mkdb [--demo] FILE
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>
#include "db/Database.h"

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const bool demo = args.removeAll(QStringLiteral("--demo")) > 0;
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: tabulor-mkdb [--demo] FILE\n");
        return 2;
    }
    try {
        Db::buildDatabaseFile(args.first(), demo);
    } catch (const DbError& e) {
        std::fprintf(stderr, "tabulor-mkdb: %s\n", qPrintable(e.text));
        return 1;
    }
    return 0;
}
