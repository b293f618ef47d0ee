// Tabulor: the program entry.
#include <QApplication>
#include <QFont>
#include "platform/Form.h"
#include "platform/Locale.h"
#include "shell/Module1.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    useProgramLocale();
    QApplication::setApplicationName(QStringLiteral("Tabulor"));
    QFont f = QApplication::font();
    f.setFamilies({QStringLiteral("Noto Sans CJK SC"), f.family()});
    QApplication::setFont(f);
    QApplication::setQuitOnLastWindowClosed(false);
    Forms::quitWhenNoneLoaded(true);
    Module1::Main();
    return app.exec();
}
