#include "platform/ui/PaintDC.h"

#include "platform/ui/DialogHost.h"
#include "platform/ui/Icon.h"

#include <QPainter>

CDC::CDC() = default;
CDC::~CDC() = default;

BOOL CDC::DrawIcon(int x, int y, HICON hIcon)
{
    if (!m_pPainter || !hIcon)
        return FALSE;
    m_pPainter->drawPixmap(x, y, hIcon->pixmap);
    return TRUE;
}

void CDC::EraseBackground()
{
    if (m_pPainter && m_pWidget)
        m_pPainter->fillRect(m_pWidget->rect(), m_pWidget->palette().window());
}

CPaintDC::CPaintDC(CWnd* pWnd)
{
    // Qt lets a widget be painted on only from inside its own paint event.
    CDialogHost* pHost = CDialogHost::FromWidget(pWnd->GetWidget());
    if (pHost && pHost == pWnd->GetWidget() && pHost->IsPainting()) {
        m_pWidget = pHost;
        m_pPainter = std::make_unique<QPainter>(pHost);
    }
}

int GetSystemMetrics(int nIndex)
{
    // The standard icon size of Windows, which the icon resources are drawn at.
    return nIndex == SM_CXICON || nIndex == SM_CYICON ? 32 : 0;
}
