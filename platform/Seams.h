#pragma once
// The seams between the system and the desktop: message boxes, the file
// dialog, ending the process, the clock, the program folder. In the program
// each shows or does the real thing; a test scripts it and reads what was asked.
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

// Message box styles and answers, with the values the design uses.
// Plain numbers, so that a style is written buttons + icon.
namespace Msg {
// buttons
constexpr int OKOnly = 0, OKCancel = 1, AbortRetryIgnore = 2, YesNoCancel = 3, YesNo = 4, RetryCancel = 5;
// icons
constexpr int NoIcon = 0, Critical = 16, Question = 32, Exclamation = 48, Information = 64;
// answers
constexpr int OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7;
} // namespace Msg

// The application title, shown by a message box without a title of its own.
inline const QString AppTitle = QStringLiteral("Tabulor");

struct MessageRecord {
    QString text;
    QString title;   // as asked; empty when the box shows the application title
    int buttons = 0; // Msg::Buttons
    int icon = 0;    // Msg::Icon
};

class MessageSeam {
public:
    // Shows a message box; style is buttons + icon. Returns a Msg::Answer.
    static int show(const QString& text, int style = 0, const QString& title = {});

    // Test side: record every box and answer from a queue; with the queue
    // empty the first button answers (OK, Yes, Abort, Retry). As a real box
    // does, a scripted one runs an event loop of its own before it answers:
    // windows closed before it are deleted there.
    static void script();
    static void answer(int answer);          // queue one answer
    // Queue one answer given by a function, run while the box is open (a test
    // acts there as another till would while the user reads the question).
    static void answerWith(std::function<int()> fn);
    static void stopScripting();
    static const std::vector<MessageRecord>& messages();
    static QStringList texts();
    static void clear();
};

// The system's own message box call: MsgBox(text, buttons + icon, title).
inline int MsgBox(const QString& text, int style = 0, const QString& title = {})
{
    return MessageSeam::show(text, style, title);
}

class FileDialogSeam {
public:
    // An "open file" dialog with the given title; empty text when cancelled.
    static QString openFile(const QString& title);
    static void script();
    static void answer(const QString& fileName);   // queue one answer; none = cancel
    static void stopScripting();
    static QStringList titles();                    // titles asked, in order
};

class ProcessSeam {
public:
    // Ends the process at once with the exit code: no closing handler of any
    // window runs. The closing step runs first: the database layer hands it
    // over when it opens the file, and it closes the connections, so the file
    // alone holds every saved row and no journal is left beside it. Every
    // normal end of the program comes here.
    static void end(int code = 0);
    static void setClosingStep(std::function<void()> step);
    static void script();         // tests: record instead of ending
    static void stopScripting();
    static bool ended();
};

// The wait cursor over every window while the program waits (for another
// till's lock, say). Shown from construction until destruction; nests.
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

    static bool showing();
    // Tests: how many times it was shown since the last reset.
    static int timesShown();
    static void resetCount();
};

class Clock {
public:
    static QDateTime now();
    static QDate today() { return now().date(); }
    static void fix(const QDateTime& t);   // tests
    static void release();
};

// The current local time as 14 digits "yyyyMMddHHmmss".
QString TimestampId();

class ProgramFolder {
public:
    // The folder that holds the program file.
    static QString path();
    static void setForTest(const QString& folder);   // empty = the real folder
};
