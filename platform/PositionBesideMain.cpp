#include "platform/PositionBesideMain.h"

#include "platform/Form.h"
#include "platform/Twips.h"

void PositionBesideMain(QWidget* window)
{
    // Only looks for the main window: placing a window never loads it.
    const Form* main = Forms::find(QStringLiteral("FrmMain"));
    if (!main || !window)
        return;
    Twips::move(window, Twips::left(main) + 1650, Twips::top(main) + 350);
}
