// Registers a file class as the opener of ".htm" pages for the length of a
// test, and puts everything back when it goes.
//
// The class goes under HKEY_CURRENT_USER\Software\Classes, which Windows
// merges into HKEY_CLASSES_ROOT. Wine 8 does not merge it, so where
// HKEY_CLASSES_ROOT does not show the user's registration, the class is
// written under HKEY_CLASSES_ROOT itself as well (the test's own Wine
// prefix). The first component of the class name belongs to the test: its
// whole tree is removed afterwards.
#pragma once

#include "framework/CString.h"

#include <vector>

class HtmClassRegistration
{
public:
    // ".htm" names strClassName; the class has no open command yet.
    explicit HtmClassRegistration(const CString& strClassName);
    ~HtmClassRegistration();
    HtmClassRegistration(const HtmClassRegistration&) = delete;
    HtmClassRegistration& operator=(const HtmClassRegistration&) = delete;

    // The default value of the class's shell\open\command key, stored with
    // its terminating null or, with bTerminated false, without it.
    void SetOpenCommand(const CString& strCommand, DWORD dwType = REG_SZ, bool bTerminated = true);
    // The command key exists but holds no default value.
    void SetEmptyCommandKey();

private:
    // One place the registration is written to, and what ".htm" held there.
    struct Root
    {
        HKEY hRoot = nullptr;
        CString strPrefix;              // "Software\Classes\" or empty
        bool bHtmExisted = false;
        bool bHadDefault = false;
        DWORD dwDefaultType = REG_NONE;
        std::vector<BYTE> defaultValue;
    };

    void Register(Root& root);
    void Restore(const Root& root) const;
    CString CommandKey(const Root& root) const;

    CString m_strClassName;
    std::vector<Root> m_roots;
};
