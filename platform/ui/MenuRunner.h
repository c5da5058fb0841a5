#pragma once

#include "platform/ui/Menu.h"

#include <QPoint>

class QWidget;

// Shows a menu as a Qt popup at a screen position and waits; returns the chosen command id,
// or 0 when the menu was dismissed.
UINT AfxRunMenu(const CMenu& menu, const QPoint& globalPos, QWidget* pParent);
