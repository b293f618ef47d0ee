#include "platform/Seams.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

namespace {

struct MessageState {
    bool scripting = false;
    std::deque<std::function<int()>> answers;
    std::vector<MessageRecord> records;
};
MessageState& msgState()
{
    static MessageState s;
    return s;
}

int firstButton(int buttons)
{
    switch (buttons) {
    case Msg::YesNo:
    case Msg::YesNoCancel: return Msg::Yes;
    case Msg::AbortRetryIgnore: return Msg::Abort;
    case Msg::RetryCancel: return Msg::Retry;
    default: return Msg::OK;
    }
}

struct FileState {
    bool scripting = false;
    std::deque<QString> answers;
    QStringList titles;
};
FileState& fileState()
{
    static FileState s;
    return s;
}

struct ProcessState {
    bool scripting = false;
    bool ended = false;
};
ProcessState& processState()
{
    static ProcessState s;
    return s;
}
// Kept apart from the scripted state: scripting an end does not undo it.
std::function<void()>& closingStep()
{
    static std::function<void()> step;
    return step;
}

QDateTime& fixedNow()
{
    static QDateTime t;
    return t;
}

QString& folderOverride()
{
    static QString f;
    return f;
}

// Icons and type names from what a file's name says, never from its contents.
class NameOnlyIconProvider : public QFileIconProvider {
public:
    using QFileIconProvider::icon;
    QIcon icon(const QFileInfo& info) const override { return icon(info.isDir() ? Folder : File); }
    QString type(const QFileInfo& info) const override
    {
        if (info.isDir())
            return QStringLiteral("文件夹");
        const QString suffix = info.suffix();
        return suffix.isEmpty() ? QStringLiteral("文件") : suffix.toUpper() + QStringLiteral(" 文件");
    }
};

} // namespace

int MessageSeam::show(const QString& text, int style, const QString& title)
{
    const int buttons = style & 7;
    const int icon = style & 0x70;
    auto& s = msgState();
    if (s.scripting) {
        s.records.push_back({text, title, buttons, icon});
        std::function<int()> a = [buttons] { return firstButton(buttons); };
        if (!s.answers.empty()) {
            a = s.answers.front();
            s.answers.pop_front();
        }
        // A real box runs its own event loop while it is open: the windows
        // that the caller closed before it are deleted there, whatever was
        // posted before it runs there, and the answer comes from inside it.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        int answer = Msg::OK;
        QEventLoop loop;
        QTimer::singleShot(0, &loop, [&] {
            answer = a();
            loop.quit();
        });
        loop.exec();
        return answer;
    }

    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title.isEmpty() ? AppTitle : title);
    box.setText(text);
    switch (icon) {
    case Msg::Critical: box.setIcon(QMessageBox::Critical); break;
    case Msg::Question: box.setIcon(QMessageBox::Question); break;
    case Msg::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case Msg::Information: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
    }
    struct Choice { const char* caption; int answer; QMessageBox::ButtonRole role; };
    std::vector<Choice> choices;
    switch (buttons) {
    case Msg::OKCancel: choices = {{"确定", Msg::OK, QMessageBox::AcceptRole}, {"取消", Msg::Cancel, QMessageBox::RejectRole}}; break;
    case Msg::AbortRetryIgnore: choices = {{"终止(&A)", Msg::Abort, QMessageBox::RejectRole}, {"重试(&R)", Msg::Retry, QMessageBox::AcceptRole}, {"忽略(&I)", Msg::Ignore, QMessageBox::AcceptRole}}; break;
    case Msg::YesNoCancel: choices = {{"是(&Y)", Msg::Yes, QMessageBox::YesRole}, {"否(&N)", Msg::No, QMessageBox::NoRole}, {"取消", Msg::Cancel, QMessageBox::RejectRole}}; break;
    case Msg::YesNo: choices = {{"是(&Y)", Msg::Yes, QMessageBox::YesRole}, {"否(&N)", Msg::No, QMessageBox::NoRole}}; break;
    case Msg::RetryCancel: choices = {{"重试(&R)", Msg::Retry, QMessageBox::AcceptRole}, {"取消", Msg::Cancel, QMessageBox::RejectRole}}; break;
    default: choices = {{"确定", Msg::OK, QMessageBox::AcceptRole}}; break;
    }
    std::vector<std::pair<QAbstractButton*, int>> map;
    for (const auto& c : choices)
        map.emplace_back(box.addButton(QString::fromUtf8(c.caption), c.role), c.answer);
    box.setDefaultButton(static_cast<QPushButton*>(map.front().first));
    // Esc answers Cancel or No where the box has one; a lone OK closes with OK.
    for (auto& [b, a] : map)
        if (a == Msg::Cancel || (buttons == Msg::YesNo && a == Msg::No) || buttons == Msg::OKOnly)
            box.setEscapeButton(b);
    box.exec();
    for (auto& [b, a] : map)
        if (box.clickedButton() == b)
            return a;
    return buttons == Msg::OKOnly ? Msg::OK : Msg::Cancel;
}

void MessageSeam::script()
{
    auto& s = msgState();
    s = MessageState{};
    s.scripting = true;
}
void MessageSeam::answer(int a) { msgState().answers.push_back([a] { return a; }); }
void MessageSeam::answerWith(std::function<int()> fn) { msgState().answers.push_back(std::move(fn)); }
void MessageSeam::stopScripting() { msgState() = MessageState{}; }
const std::vector<MessageRecord>& MessageSeam::messages() { return msgState().records; }
QStringList MessageSeam::texts()
{
    QStringList t;
    for (const auto& r : msgState().records)
        t << r.text;
    return t;
}
void MessageSeam::clear()
{
    msgState().records.clear();
    msgState().answers.clear();
}

QString FileDialogSeam::openFile(const QString& title)
{
    auto& s = fileState();
    if (s.scripting) {
        s.titles << title;
        if (s.answers.empty())
            return {};
        QString a = s.answers.front();
        s.answers.pop_front();
        return a;
    }
    // The dialog tells files apart by their names alone. Qt's own icon
    // provider reads a file to learn its type; a read of the database file
    // (or its journal) from this process ends every lock this process holds
    // on that file, as POSIX locks go with any close of it, and another copy
    // of the program may then take the journal that holds the last commits
    // for its own and delete it.
    NameOnlyIconProvider icons;
    QFileDialog dialog(QApplication::activeWindow(), title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setIconProvider(&icons);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}
void FileDialogSeam::script()
{
    fileState() = FileState{};
    fileState().scripting = true;
}
void FileDialogSeam::answer(const QString& f) { fileState().answers.push_back(f); }
void FileDialogSeam::stopScripting() { fileState() = FileState{}; }
QStringList FileDialogSeam::titles() { return fileState().titles; }

void ProcessSeam::end(int code)
{
    auto& s = processState();
    if (s.scripting) {
        s.ended = true;
        return;
    }
    // Every write has been committed (synchronous FULL), so nothing is lost
    // by skipping the closing handlers. The rows committed since the last
    // checkpoint are in the journal beside the file, though: closing the
    // connections folds them into the file, which a user copies alone to
    // back it up or move it. A copy of the program still working on the file
    // keeps the journal and folds it in when it ends.
    if (closingStep())
        closingStep()();
    std::fflush(nullptr);
    std::_Exit(code);
}
void ProcessSeam::setClosingStep(std::function<void()> step) { closingStep() = std::move(step); }
void ProcessSeam::script() { processState() = ProcessState{true, false}; }
void ProcessSeam::stopScripting() { processState() = ProcessState{}; }
bool ProcessSeam::ended() { return processState().ended; }

namespace {
int g_waitDepth = 0;
int g_waitShown = 0;
} // namespace

WaitCursor::WaitCursor()
{
    if (g_waitDepth++ == 0) {
        ++g_waitShown;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        // The cursor changes before the wait begins, not after it.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

WaitCursor::~WaitCursor()
{
    if (--g_waitDepth == 0)
        QApplication::restoreOverrideCursor();
}

bool WaitCursor::showing() { return g_waitDepth > 0; }
int WaitCursor::timesShown() { return g_waitShown; }
void WaitCursor::resetCount() { g_waitShown = 0; }

QDateTime Clock::now()
{
    const QDateTime& f = fixedNow();
    return f.isValid() ? f : QDateTime::currentDateTime();
}
void Clock::fix(const QDateTime& t) { fixedNow() = t; }
void Clock::release() { fixedNow() = QDateTime(); }

QString TimestampId()
{
    return Clock::now().toString(QStringLiteral("yyyyMMddHHmmss"));
}

QString ProgramFolder::path()
{
    if (!folderOverride().isEmpty())
        return folderOverride();
    return QCoreApplication::applicationDirPath();
}
void ProgramFolder::setForTest(const QString& folder) { folderOverride() = folder; }
