#pragma once

#include "platform/core/String.h"

#include <QString>

inline QString AfxToQString(LPCTSTR psz)
{
    return psz ? QString::fromWCharArray(psz) : QString();
}

inline CString AfxFromQString(const QString& str)
{
    return CString(str.toStdWString());
}
