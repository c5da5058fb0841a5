#include "platform/ui/DialogUnits.h"

#include "platform/ui/QtText.h"

#include <QFontMetrics>

namespace {

// Windows' own rounding of a * b / c.
int MulDiv(int a, int b, int c)
{
    const long long product = static_cast<long long>(a) * b;
    return static_cast<int>(product >= 0 ? (product + c / 2) / c : (product - c / 2) / c);
}

// Templates give their font in points at the 96 pixels per inch that Windows assumes.
constexpr int kPixelsPerInch = 96;

} // namespace

QFont AfxDialogFont(const AFX_DLGTEMPLATE& dlgTemplate)
{
    QFont font(AfxToQString(dlgTemplate.lpszFontName));
    font.setPixelSize(MulDiv(dlgTemplate.nPointSize, kPixelsPerInch, 72));
    font.setWeight(static_cast<QFont::Weight>(dlgTemplate.nWeight ? dlgTemplate.nWeight : 400));
    return font;
}

QSize AfxDialogBaseUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return QSize((width / 26 + 1) / 2, metrics.height());
}

QRect AfxMapDialogRect(int x, int y, int cx, int cy, const QSize& baseUnits)
{
    return QRect(MulDiv(x, baseUnits.width(), 4), MulDiv(y, baseUnits.height(), 8), MulDiv(cx, baseUnits.width(), 4),
                 MulDiv(cy, baseUnits.height(), 8));
}
