#include "tests/main_window/MainWindowFixture.h"

#include "main_window/JournalShelf.h"

#include <algorithm>
#include <sstream>

namespace {
std::vector<HWND> g_opened;

// A window whose object went stays on screen, where it would pass for a message box: it goes at the next Open.
void DestroyOpenedWindows(bool bWithObject) {
    for (HWND hWnd : g_opened)
        if (bWithObject || CWnd::FromHandlePermanent(hWnd) == nullptr)
            DestroyWindow(hWnd);
    g_opened.erase(std::remove_if(g_opened.begin(), g_opened.end(), [](HWND h) { return !IsWindow(h); }),
                   g_opened.end());
}

// Binds the object at WM_INITDIALOG and runs its OnInitDialog, as the layer's dialog procedure does for DoModal.
struct Binder : CDorvaneDlg {
    static INT_PTR CALLBACK Proc(HWND hDlg, UINT message, WPARAM, LPARAM lParam) {
        auto pDlg = reinterpret_cast<CDorvaneDlg*>(lParam);
        return message == WM_INITDIALOG && pDlg->SubclassWindow(hDlg) && (pDlg->*&Binder::OnInitDialog)();
    }
};
}

CWinApp& TestApp() {
    static CWinApp app(_T("Dorvane"));
    app.SetRegistryKey(_T("Brannoch"));
    return app;
}

std::vector<CString> Split(const CString& text, TCHAR separator) {
    std::basic_istringstream<TCHAR> in(text.GetString());
    std::vector<CString> parts;
    for (std::basic_string<TCHAR> part; std::getline(in, part, separator);)
        parts.push_back(part.c_str());
    return parts;
}

std::array<int, 3> ShapeOf(HICON hIcon) {
    ICONINFO info = {};
    BITMAP mask = {};
    if (!GetIconInfo(hIcon, &info))
        return {-1, -1, -1};
    GetObject(info.hbmMask, sizeof(mask), &mask);
    DeleteObject(info.hbmMask), DeleteObject(info.hbmColor);
    return {static_cast<int>(mask.bmWidth), static_cast<int>(info.xHotspot), static_cast<int>(info.yHotspot)};
}

void MainWindowTest::TearDown() {
    DestroyOpenedWindows(true);
    ClearSettings(), ClearJournals();
}

void MainWindowTest::WaitForRun(const CDorvaneDlg& dlg) {
    for (const ULONGLONG start = GetTickCount64(); dlg.IsRunning() && GetTickCount64() - start < 10000;)
        testsupport::PumpMessages(), MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    ASSERT_FALSE(dlg.IsRunning()) << "a run of ten seconds";
}

void MainWindowTest::ClearJournals() {
    for (const CString& journal : CJournalShelf().Journals())
        DeleteFile(journal);
}

void MainWindowTest::Store(const CString& values) {
    for (const CString& item : Split(values, _T(';'))) {
        const CString name = item.Left(item.Find(_T("="))), value = item.Mid(name.GetLength() + 1), text = value.Mid(1);
        const DWORD number = static_cast<DWORD>(_tcstoi64(value, nullptr, 0));
        const bool isText = value[0] == _T('"');
        const DWORD size = isText ? static_cast<DWORD>((text.GetLength() + 1) * sizeof(TCHAR)) : sizeof(number);
        ASSERT_EQ(RegSetKeyValue(HKEY_CURRENT_USER, SettingsKey(), name, isText ? REG_SZ : REG_DWORD,
                                 isText ? static_cast<const void*>(text.GetString()) : &number, size), ERROR_SUCCESS);
    }
}

std::optional<DWORD> MainWindowTest::ReadDword(LPCTSTR name) {
    DWORD value = 0, size = sizeof(value);
    LSTATUS status = RegGetValue(HKEY_CURRENT_USER, SettingsKey(), name, RRF_RT_REG_DWORD, nullptr, &value, &size);
    return status == ERROR_SUCCESS ? std::optional<DWORD>(value) : std::nullopt;
}

void MainWindowTest::Open(CDorvaneDlg& dlg) {
    DestroyOpenedWindows(false);
    g_opened.push_back(CreateDialogParam(GetModuleHandle(nullptr), MAKEINTRESOURCE(IDD_DORVANE_DIALOG), nullptr,
                                         &Binder::Proc, reinterpret_cast<LPARAM>(&dlg)));
    ASSERT_TRUE(g_opened.back() != nullptr && dlg.m_hWnd == g_opened.back());
    testsupport::PumpMessages();
}

CString MainWindowTest::History(const CDorvaneDlg& dlg) {
    CString joined, entry;
    for (int i = 0; dlg.m_comboPath.GetLBText(i, entry) != CB_ERR; ++i)
        joined += (i > 0 ? _T("|") : _T("")) + entry;
    return joined;
}
