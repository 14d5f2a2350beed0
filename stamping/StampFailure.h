// A file or folder that did not get its new times: it could not be read,
// listed or written. Says so in the words the user sees.
#pragma once

#include "framework/CFileException.h"

class CStampFailure : public CFileException
{
public:
    using CFileException::CFileException;

    // "Cannot change the times of C:\x.txt:\nAccess is denied."
    CString GetErrorMessage() const override;
};
