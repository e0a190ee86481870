#pragma once
// The task list as an OLE drop target: a COM object that reads the file list
// (CF_HDROP) or the text (CF_UNICODETEXT, else CF_TEXT) of a dragged object
// and hands it to the drop logic in UTF-8, and the registration that owns it
// for the list window.

#include <windows.h>
#include <ole2.h>

#include <string>
#include <vector>

#include "base/win32/com_ptr.h"
#include "view/drop_logic.h"

// ResolveInternetShortcut through the shell's Internet shortcut object.
class CShellShortcutResolver : public IShortcutResolver {
public:
    ShortcutResult ResolveInternetShortcut(const std::string& path) override;
};

// The two formats of a dragged object, read through IDataObject. Every
// medium it gets is released before it returns.
class CDropDataReader : public IDropData {
public:
    explicit CDropDataReader(IDataObject* pDataObject) : m_pDataObject(pDataObject) {}
    bool HasFileList() override;
    bool GetFileList(std::vector<std::string>& paths) override;
    bool HasText() override;
    bool GetText(std::string& text) override;

private:
    IDataObject* m_pDataObject; // not owned; lives for the call
};

// Created with a reference count of one. The sink, prompts and resolver
// must outlive it, or be let go with Disconnect first: OLE may keep its own
// reference a little longer than the window.
class CTaskListDropTarget : public IDropTarget {
public:
    static CComPtr<CTaskListDropTarget> Create(IDropTaskSink& sink, IPrompts& prompts,
                                               IShortcutResolver& resolver);

    // From now on every drag answers none and every drop is refused.
    void Disconnect();

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // IDropTarget
    STDMETHODIMP DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
    STDMETHODIMP DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
    STDMETHODIMP DragLeave() override;
    STDMETHODIMP Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;

private:
    CTaskListDropTarget(IDropTaskSink& sink, IPrompts& prompts, IShortcutResolver& resolver);
    virtual ~CTaskListDropTarget() = default;

    LONG m_nRefs = 1;
    IDropTaskSink* m_pSink;
    IPrompts* m_pPrompts;
    IShortcutResolver* m_pResolver;
    // The object being dragged: DragOver is not given it again.
    CComPtr<IDataObject> m_pDragging;
};

// Registers the list window as a drop target and revokes it again. OLE must
// be initialised on this thread (OleInitialize).
class CTaskListDropRegistration {
public:
    CTaskListDropRegistration() = default;
    ~CTaskListDropRegistration() { Revoke(); }
    CTaskListDropRegistration(const CTaskListDropRegistration&) = delete;
    CTaskListDropRegistration& operator=(const CTaskListDropRegistration&) = delete;

    // On failure shows "Could not register as a drag and drop Target" and
    // returns false; the list then works without drops.
    bool Register(HWND hwndList, IDropTaskSink& sink, IPrompts& prompts);
    // Call while the window still exists (the frame's WM_DESTROY, say).
    void Revoke();
    bool IsRegistered() const { return m_hwnd != nullptr; }

private:
    HWND m_hwnd = nullptr;
    CShellShortcutResolver m_resolver;
    CComPtr<CTaskListDropTarget> m_pTarget;
};
