#pragma once

#include "platform/ui/ResourceFormats.h"

#include <QFont>
#include <QRect>
#include <QSize>

// The font a template asks for, with the families of Windows mapped to installed ones.
QFont AfxDialogFont(const AFX_DLGTEMPLATE& dlgTemplate);
// Average character width and height of the font, measured the way Windows does it.
QSize AfxDialogBaseUnits(const QFont& font);
QRect AfxMapDialogRect(int x, int y, int cx, int cy, const QSize& baseUnits);
