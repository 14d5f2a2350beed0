#include "stamping/StampFailure.h"

CString CStampFailure::GetErrorMessage() const
{
    return _T("Cannot change the times of ") + m_strFileName + _T(":\n") + GetSystemReason();
}
