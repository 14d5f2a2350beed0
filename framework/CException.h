// The root of the program's own exceptions. Each one can say in plain words
// what went wrong; the window layer shows that text when an exception escapes
// a message handler.
#pragma once

#include "framework/CString.h"

#include <exception>

class CException : public std::exception
{
public:
    virtual CString GetErrorMessage() const = 0;
    const char* what() const noexcept override { return "Dorvane error (see GetErrorMessage)"; }
};
