#include "stamping/StampFailure.h"

CString CStampFailure::GetErrorMessage() const
{
    const CString reason = _T(":\n") + GetSystemReason();
    switch (m_left)
    {
    case kNewTimesButWritable:
        return m_strFileName + _T(" got its new times but is no longer read-only") + reason;
    case kOldTimesButWritable:
        return _T("Cannot change the times of ") + m_strFileName + _T(", and it is no longer read-only") + reason;
    default:
        return _T("Cannot change the times of ") + m_strFileName + reason;
    }
}
