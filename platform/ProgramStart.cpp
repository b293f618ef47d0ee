#include "platform/ProgramStart.h"

#include <QFileInfo>
#include <QProcess>

namespace {

struct StartState {
    bool scripting = false;
    std::deque<bool> answers;
    QStringList asked;
};
StartState& startState()
{
    static StartState s;
    return s;
}

} // namespace

bool ProgramStartSeam::start(const QString& program)
{
    auto& s = startState();
    if (s.scripting) {
        s.asked << program;
        if (s.answers.empty())
            return true;
        const bool a = s.answers.front();
        s.answers.pop_front();
        return a;
    }
    if (program.trimmed().isEmpty())
        return false;
    return QProcess::startDetached(program, {}, QFileInfo(program).absolutePath());
}

void ProgramStartSeam::script()
{
    startState() = StartState{};
    startState().scripting = true;
}
void ProgramStartSeam::answer(bool started) { startState().answers.push_back(started); }
void ProgramStartSeam::stopScripting() { startState() = StartState{}; }
QStringList ProgramStartSeam::started() { return startState().asked; }
