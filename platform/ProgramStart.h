#pragma once
// Starting another program. In the program it starts the program detached
// from ours (its own normal window); a test records what was asked and
// answers from a script.
#include <QString>
#include <QStringList>
#include <deque>

class ProgramStartSeam {
public:
    // Starts the program file; false when it cannot be started.
    static bool start(const QString& program);

    // Test side: record every start; answers come from a queue, and with the
    // queue empty a start succeeds.
    static void script();
    static void answer(bool started);
    static void stopScripting();
    static QStringList started();   // programs asked for, in order
};
