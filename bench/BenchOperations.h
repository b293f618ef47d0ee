#pragma once
// The operations the benchmark times. Each drives the real windows; run()
// returns the number of rows it shows (or writes), floor() reads the same
// rows with one bare prepared statement.
#include <QString>
#include <functional>
#include <vector>

namespace Bench {

struct Context {
    QString dbPath;
    QString programFolder;
};

struct Operation {
    QString name;
    std::function<void(Context&)> setUp;      // not timed
    std::function<long(Context&)> run;        // timed
    std::function<void(Context&)> tearDown;   // not timed
    std::function<void(Context&)> floor;      // timed separately, may be empty
};

const std::vector<Operation>& operations();

} // namespace Bench
