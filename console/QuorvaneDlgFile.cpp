#include "console/QuorvaneDlg.h"

#include "console/OperatorTexts.h"
#include "registry/AccountFile.h"

void CQuorvaneDlg::SaveConfigFile(CString strAccount)
{
    if (!SaveAccountFile(strAccount))
        MessageBox(kSaveFailedText);
}

BOOL CQuorvaneDlg::LoadConfigFile(CString strAccount)
{
    return LoadAccountFile(strAccount) != AccountLoadResult::ReadFailed;
}
