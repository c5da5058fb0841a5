#include "platform/ui/DataExchange.h"

#include "platform/core/Exceptions.h"
#include "platform/ui/QtText.h"
#include "platform/ui/Wnd.h"

#include <QComboBox>

namespace {

CWnd* Control(CDataExchange* pDX, int nIDC)
{
    CWnd* pControl = pDX->m_pDlgWnd->GetDlgItem(nIDC);
    if (!pControl)
        AfxThrowInvalidArgException();
    return pControl;
}

} // namespace

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    CWnd* pControl = Control(pDX, nIDC);
    if (pDX->m_bSaveAndValidate)
        pControl->GetWindowText(value);
    else
        pControl->SetWindowText(value);
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    auto* pCombo = qobject_cast<QComboBox*>(Control(pDX, nIDC)->GetWidget());
    if (!pCombo)
        AfxThrowInvalidArgException();
    if (pDX->m_bSaveAndValidate)
        index = pCombo->currentIndex();
    else
        pCombo->setCurrentIndex(index >= 0 && index < pCombo->count() ? index : -1);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (!rControl.GetWidget())
        rControl.AttachControl(pDX->m_pDlgWnd, nIDC);
}
