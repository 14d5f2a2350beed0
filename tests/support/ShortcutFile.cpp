#include "tests/support/ShortcutFile.h"

#include "framework/ComPtr.h"

namespace testsupport
{
namespace
{
// Holds a shell identifier list and frees it.
class ItemIdList
{
public:
    explicit ItemIdList(PIDLIST_ABSOLUTE pidl) : m_pidl(pidl) {}
    ~ItemIdList() { ::CoTaskMemFree(m_pidl); }
    ItemIdList(const ItemIdList&) = delete;
    ItemIdList& operator=(const ItemIdList&) = delete;
    PIDLIST_ABSOLUTE Get() const { return m_pidl; }

private:
    PIDLIST_ABSOLUTE m_pidl;
};

template <typename Describe>
bool SaveShortcut(const CString& linkPath, Describe describe)
{
    ComPtr<IShellLink> link;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLink, link.Out())))
        return false;
    if (!describe(*link))
        return false;
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.Out())))
        return false;
    return SUCCEEDED(file->Save(linkPath, TRUE));
}
}

bool CreateShortcut(const CString& linkPath, const CString& targetPath)
{
    return SaveShortcut(linkPath, [&](IShellLink& link) { return SUCCEEDED(link.SetPath(targetPath)); });
}

bool CreateShortcutToVirtualItem(const CString& linkPath)
{
    return SaveShortcut(linkPath, [](IShellLink& link) {
        PIDLIST_ABSOLUTE pidl = nullptr;
        if (FAILED(::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &pidl)))
            return false;
        ItemIdList computer(pidl);
        return SUCCEEDED(link.SetIDList(computer.Get()));
    });
}
}
