// Shows the user an exception that escaped a message handler, at the edge
// where the platform called the program (a window or dialog procedure), so
// that no exception unwinds through the platform's code.
#pragma once

#include "framework/CString.h"

// Call only inside a catch block: shows the exception being handled in a
// message box (MB_OK | MB_ICONEXCLAMATION) owned by the active window. Never
// throws.
void ReportException() noexcept;

// The text ReportException shows for the exception being handled:
//   - a CException: its GetErrorMessage();
//   - std::bad_alloc: "There is not enough memory to complete the operation.";
//   - any other std::exception: "An unexpected error occurred:\n" and its
//     what() text (an empty what() text: as anything else);
//   - anything else: "An unexpected error occurred."
CString DescribeException();
