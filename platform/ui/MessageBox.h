#pragma once

#include "platform/core/WindowMessages.h"

// A message box owned by the window in front, with the application's name as caption.
int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK);
