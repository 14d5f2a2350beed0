#include "tests/support/ShortcutFile.h"

#include "framework/ComPtr.h"

#include <functional>

namespace testsupport {
namespace {
bool SaveShortcut(const CString& linkPath, const std::function<HRESULT(IShellLink&)>& describe) {
    ComPtr<IShellLink> link;
    ComPtr<IPersistFile> file;
    return SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLink, link.Out())) &&
           SUCCEEDED(describe(*link)) && SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.Out())) &&
           SUCCEEDED(file->Save(linkPath, TRUE));
}
}

bool CreateShortcut(const CString& linkPath, const CString& targetPath) {
    return SaveShortcut(linkPath, [&](IShellLink& link) { return link.SetPath(targetPath); });
}

bool CreateShortcutToVirtualItem(const CString& linkPath) {
    return SaveShortcut(linkPath, [](IShellLink& link) {
        PIDLIST_ABSOLUTE computer = nullptr;
        const HRESULT hr = SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer);
        const HRESULT set = SUCCEEDED(hr) ? link.SetIDList(computer) : hr;
        CoTaskMemFree(computer);
        return set;
    });
}
}
