#pragma once
// The program's locale: Chinese (China), so what Qt formats by locale (the
// calendar pop-up's month and weekday names, the standard dialogs) is
// Chinese. The program's own texts do not depend on it: stored and shown
// dates, times and numbers are formatted with fixed patterns. Set once at
// start-up, before the first window.
void useProgramLocale();
