#pragma once

#include "platform/core/WindowMessages.h"

#include <QIcon>
#include <QPixmap>

// What an HICON stands for: one icon resource, loaded once and shared, as on Windows.
struct HICON__
{
    QPixmap pixmap;
    QIcon icon;
};

// The icon resource of that id, or null when the program has none.
HICON AfxLoadIconResource(UINT nID);
QPixmap AfxIconPixmap(UINT nID);
