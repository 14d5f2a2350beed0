#include "tests/support/ShortcutFile.h"

#include "framework/CComPtr.h"

namespace testsupport {
namespace {
template <typename Describe>
bool SaveShortcut(const CString& linkPath, Describe describe) {
    CComPtr<IShellLink> link;
    CComPtr<IPersistFile> file;
    return SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLink, link.Out())) &&
           SUCCEEDED(describe(link)) && SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.Out())) &&
           SUCCEEDED(file->Save(linkPath, TRUE));
}
}

bool CreateShortcut(const CString& linkPath, const CString& targetPath) {
    return SaveShortcut(linkPath, [&](CComPtr<IShellLink>& link) { return link->SetPath(targetPath); });
}

bool CreateShortcutToVirtualItem(const CString& linkPath) {
    return SaveShortcut(linkPath, [](CComPtr<IShellLink>& link) {
        PIDLIST_ABSOLUTE computer = nullptr;
        const HRESULT found = SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer);
        const HRESULT set = SUCCEEDED(found) ? link->SetIDList(computer) : found;
        CoTaskMemFree(computer);
        return set;
    });
}
}
