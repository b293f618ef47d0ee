#include "platform/Locale.h"

#include <QLocale>

void useProgramLocale() { QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China)); }
