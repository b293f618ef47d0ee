#pragma once
// Small windows that open beside the main window: at its left + 1650 and
// top + 350 twips. Without a loaded main window the window keeps its place.
#include <QWidget>

void PositionBesideMain(QWidget* window);
