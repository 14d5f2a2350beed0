// The application object: starts the program, runs the main window as a
// modal dialog, and ends the program when that window closes.
#pragma once

#include "framework/CWinApp.h"

class CDorvaneApp : public CWinApp
{
public:
    CDorvaneApp();

    BOOL InitInstance() override;
};
