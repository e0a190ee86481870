// The task list's drop target fed data objects built here, with real .url
// files read by the shell's Internet shortcut object, and its registration
// on a real window.
#include "view/win32/drop_target.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/win32/text_win32.h"
#include "support/fakes.h"
#include "support/scratch_folder.h"

namespace {

// Owns one medium's memory until the reader releases the medium, so the
// test can tell that every medium handed out came back.
class CMediumOwner final : public IUnknown {
public:
    CMediumOwner(HGLOBAL hGlobal, LONG& nOutstanding) : m_hGlobal(hGlobal), m_nOutstanding(nOutstanding)
    {
        ++m_nOutstanding;
    }
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (!IsEqualIID(riid, IID_IUnknown)) {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        *ppv = this;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_nRefs; }
    STDMETHODIMP_(ULONG) Release() override
    {
        const ULONG n = --m_nRefs;
        if (n == 0) {
            GlobalFree(m_hGlobal);
            --m_nOutstanding;
            delete this;
        }
        return n;
    }

private:
    ULONG m_nRefs = 1;
    HGLOBAL m_hGlobal;
    LONG& m_nOutstanding;
};

// A data object with fixed bytes per format; a format can be offered yet
// fail to give its data.
class CTestDataObject : public IDataObject {
public:
    std::map<CLIPFORMAT, std::vector<char>> formats;
    std::set<CLIPFORMAT> failing;
    LONG nOutstanding = 0;
    LONG nRefs = 1;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject)) {
            *ppv = static_cast<IDataObject*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    // Lives on the test's stack; the count only shows that references balance.
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++nRefs); }
    STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(--nRefs); }

    STDMETHODIMP GetData(FORMATETC* pFmt, STGMEDIUM* pMedium) override
    {
        if (QueryGetData(pFmt) != S_OK || failing.count(pFmt->cfFormat))
            return DV_E_FORMATETC;
        const std::vector<char>& bytes = formats[pFmt->cfFormat];
        HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes.empty() ? 1 : bytes.size());
        if (!h)
            return E_OUTOFMEMORY;
        std::memcpy(GlobalLock(h), bytes.data(), bytes.size());
        GlobalUnlock(h);
        pMedium->tymed = TYMED_HGLOBAL;
        pMedium->hGlobal = h;
        pMedium->pUnkForRelease = new CMediumOwner(h, nOutstanding);
        return S_OK;
    }
    STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryGetData(FORMATETC* pFmt) override
    {
        if (!pFmt || !formats.count(pFmt->cfFormat) || !(pFmt->tymed & TYMED_HGLOBAL) ||
            pFmt->dwAspect != DVASPECT_CONTENT)
            return DV_E_FORMATETC;
        return S_OK;
    }
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC* pOut) override
    {
        pOut->ptd = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

    // A file list as the shell writes one: the header, then each path with
    // its zero, then one more; in single bytes, or in 16-bit units as
    // Windows NT's shell writes it.
    void SetFiles(const std::vector<std::string>& paths, bool bWide = false)
    {
        std::vector<char> bytes(sizeof(DROPFILES), 0);
        DROPFILES df = {};
        df.pFiles = sizeof(DROPFILES);
        df.fWide = bWide;
        std::memcpy(bytes.data(), &df, sizeof df);
        for (const std::string& p : paths) {
            if (bWide)
                AppendWide(bytes, ToWide(p));
            else
                bytes.insert(bytes.end(), p.begin(), p.end());
            bytes.insert(bytes.end(), bWide ? 2 : 1, '\0');
        }
        bytes.insert(bytes.end(), bWide ? 2 : 1, '\0');
        formats[CF_HDROP] = bytes;
    }
    void SetText(const std::string& text, bool bTerminated = true)
    {
        std::vector<char> bytes(text.begin(), text.end());
        if (bTerminated)
            bytes.push_back('\0');
        formats[CF_TEXT] = bytes;
    }
    void SetUnicodeText(const std::string& text, bool bTerminated = true)
    {
        std::vector<char> bytes;
        AppendWide(bytes, ToWide(text));
        if (bTerminated)
            bytes.insert(bytes.end(), 2, '\0');
        formats[CF_UNICODETEXT] = bytes;
    }

private:
    static void AppendWide(std::vector<char>& bytes, const std::wstring& text)
    {
        const auto* p = reinterpret_cast<const char*>(text.data());
        bytes.insert(bytes.end(), p, p + text.size() * sizeof(wchar_t));
    }
};

class CRecordingSink : public IDropTaskSink {
public:
    std::vector<std::string> log;
    void AddBrowseTask(const std::string& name, const std::string& url) override
    {
        log.push_back("browse " + name + " " + url);
    }
    void AddNote(const std::string& text) override { log.push_back("note " + text); }
    void Save() override { log.push_back("save"); }
};

class DropTargetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_bOle = SUCCEEDED(OleInitialize(nullptr));
        ASSERT_FALSE(m_folder.Path().empty());
        m_pTarget = CTaskListDropTarget::Create(m_sink, m_prompts, m_resolver);
    }
    void TearDown() override
    {
        m_pTarget.Reset();
        if (m_bOle)
            OleUninitialize();
    }

    std::string Write(const std::string& name, const std::string& bytes) { return m_folder.Write(name, bytes); }
    std::string Shortcut(const std::string& name, const std::string& url)
    {
        return Write(name, "[InternetShortcut]\r\nURL=" + url + "\r\n");
    }

    // Enter, one movement, then the drop; the effects of the movement and
    // of the drop come back.
    void DragAndDrop(CTestDataObject& data, DWORD& over, DWORD& dropped)
    {
        const POINTL pt = {10, 10};
        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        ASSERT_EQ(m_pTarget->DragEnter(&data, 0, pt, &effect), S_OK);
        EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE)); // nothing until the first movement
        over = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        ASSERT_EQ(m_pTarget->DragOver(MK_LBUTTON, pt, &over), S_OK);
        dropped = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        ASSERT_EQ(m_pTarget->Drop(&data, 0, pt, &dropped), S_OK);
    }

    bool m_bOle = false;
    CScratchFolder m_folder{"nbdrop"};
    CRecordingSink m_sink;
    CFakePrompts m_prompts;
    CShellShortcutResolver m_resolver;
    CComPtr<CTaskListDropTarget> m_pTarget;
};

} // namespace

TEST_F(DropTargetTest, ThreeRealShortcutsBecomeThreeBrowseTasksInOneSave)
{
    CTestDataObject data;
    data.SetFiles({Shortcut("Alpha.url", "http://alpha.example/"), Shortcut("Beta Site.URL", "news:comp.misc"),
                   Shortcut("Gamma.url", "http://gamma.example/path?q=1")});
    DWORD over = 0, dropped = 0;
    DragAndDrop(data, over, dropped);
    EXPECT_EQ(over, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(dropped, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(m_sink.log, (std::vector<std::string>{"browse Alpha http://alpha.example/",
                                                    "browse Beta Site news:comp.misc",
                                                    "browse Gamma http://gamma.example/path?q=1", "save"}));
    EXPECT_TRUE(m_prompts.shown.empty());
    EXPECT_EQ(data.nOutstanding, 0);
    EXPECT_EQ(data.nRefs, 1); // the target let go of the dragged object
}

TEST_F(DropTargetTest, ADamagedShortcutStopsTheDropAfterTheTasksBeforeIt)
{
    CTestDataObject data;
    data.SetFiles({Shortcut("Good.url", "http://good.example/"), Write("Broken.url", "[Nothing]\r\n"),
                   Shortcut("Never.url", "http://never.example/")});
    DWORD over = 0, dropped = 0;
    DragAndDrop(data, over, dropped);
    EXPECT_EQ(m_sink.log, (std::vector<std::string>{"browse Good http://good.example/", "save"}));
    ASSERT_EQ(m_prompts.shown.size(), 2u);
    EXPECT_EQ(m_prompts.shown[0].text, "Error resolving internet shortcut.");
    EXPECT_EQ(m_prompts.shown[1].text, "There was an error resolving the link to:\nBroken\nThis drop has been aborted");
    EXPECT_EQ(data.nOutstanding, 0);
}

TEST_F(DropTargetTest, FilesThatAreNoShortcutsGetTheNoDropCursor)
{
    CTestDataObject data;
    data.SetFiles({Write("readme.txt", "hello"), Write("Editor.lnk", "not really a link")});
    data.SetText("text beside the files is ignored");
    const POINTL pt = {1, 1};
    DWORD effect = DROPEFFECT_COPY;
    m_pTarget->DragEnter(&data, 0, pt, &effect);
    effect = DROPEFFECT_COPY;
    m_pTarget->DragOver(0, pt, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    m_pTarget->DragLeave();
    EXPECT_EQ(data.nRefs, 1);
    EXPECT_EQ(data.nOutstanding, 0);
    EXPECT_TRUE(m_sink.log.empty());
}

TEST_F(DropTargetTest, DroppedTextOpensANoteEvenWithoutItsZeroByte)
{
    CTestDataObject data;
    data.SetText("Find the train times\r\nfor Friday");
    DWORD over = 0, dropped = 0;
    DragAndDrop(data, over, dropped);
    EXPECT_EQ(over, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(m_sink.log, (std::vector<std::string>{"note Find the train times\r\nfor Friday", "save"}));

    // Global memory may be rounded up; the read stops at the block's end or
    // at the first zero byte it finds there, never beyond.
    CTestDataObject bare;
    bare.SetText("abc", false);
    m_sink.log.clear();
    DragAndDrop(bare, over, dropped);
    ASSERT_EQ(m_sink.log.size(), 2u);
    EXPECT_EQ(m_sink.log[0].substr(0, 8), "note abc");
    EXPECT_EQ(bare.nOutstanding, 0);
}

// The 16-bit text goes before the single-byte one, which cannot hold every
// script: a page title comes into the note exactly.
TEST_F(DropTargetTest, DroppedTextInAnyScriptIsTakenExactly)
{
    const std::string title = u8"Расписание — 東京 😀";
    CTestDataObject data;
    data.SetUnicodeText(title);
    data.SetText("Raspisanie - ?? ?");
    DWORD over = 0, dropped = 0;
    DragAndDrop(data, over, dropped);
    EXPECT_EQ(over, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(m_sink.log, (std::vector<std::string>{"note " + title, "save"}));
    EXPECT_EQ(data.nOutstanding, 0);

    // Without its zero the read stops at the block's end.
    CTestDataObject bare;
    bare.SetUnicodeText(u8"東京", false);
    m_sink.log.clear();
    DragAndDrop(bare, over, dropped);
    ASSERT_EQ(m_sink.log.size(), 2u);
    EXPECT_EQ(m_sink.log[0].substr(0, 11), u8"note 東京");

    // Where only the 16-bit text fails, the single-byte one is taken.
    CTestDataObject failing;
    failing.SetUnicodeText(title);
    failing.SetText("Plain title");
    failing.failing.insert(CF_UNICODETEXT);
    m_sink.log.clear();
    DragAndDrop(failing, over, dropped);
    EXPECT_EQ(m_sink.log, (std::vector<std::string>{"note Plain title", "save"}));
}

// A file list in 16-bit units, as Windows NT's shell writes it, gives each
// path whole, as far as the build's characters hold it.
TEST_F(DropTargetTest, DroppedPathsInAnyScriptComeWhole)
{
    const std::vector<std::string> names = {u8"C:\\Задачи-東京\\天気 ☀.url", "C:\\Plain\\Site.url"};
    CTestDataObject data;
    data.SetFiles(names, true);
    std::vector<std::string> paths;
    ASSERT_TRUE(CDropDataReader(&data).GetFileList(paths));
    EXPECT_EQ((std::vector<std::string>{FromSys(ToSys(names[0])), names[1]}), paths);
    EXPECT_EQ(data.nOutstanding, 0);
}

TEST_F(DropTargetTest, TextThatCannotBeHadIsRefusedWithoutASave)
{
    CTestDataObject data;
    data.SetText("offered but never given");
    data.failing.insert(CF_TEXT);
    DWORD over = 0, dropped = 0;
    DragAndDrop(data, over, dropped);
    EXPECT_EQ(over, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(dropped, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_TRUE(m_sink.log.empty());
    ASSERT_EQ(m_prompts.shown.size(), 1u);
    EXPECT_EQ(m_prompts.shown[0].text, "Failed to get data");
}

TEST_F(DropTargetTest, AFileListThatCannotBeHadIsReportedAndTheDropStillSaves)
{
    CTestDataObject data;
    data.SetFiles({Shortcut("Any.url", "http://any.example/")});
    data.failing.insert(CF_HDROP);
    DWORD over = 0, dropped = 0;
    DragAndDrop(data, over, dropped);
    EXPECT_EQ(over, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(dropped, static_cast<DWORD>(DROPEFFECT_COPY));
    ASSERT_EQ(m_prompts.shown.size(), 2u);
    EXPECT_EQ(m_prompts.shown[0].text, "Drag Operation Failure in GetData");
    EXPECT_EQ(m_prompts.shown[1].text, "Drop Operation Failed");
    EXPECT_EQ(m_sink.log, std::vector<std::string>{"save"});
}

TEST_F(DropTargetTest, ADisconnectedTargetTakesNothing)
{
    CTestDataObject data;
    data.SetFiles({Shortcut("Late.url", "http://late.example/")});
    m_pTarget->Disconnect();
    DWORD over = 0, dropped = 0;
    DragAndDrop(data, over, dropped);
    EXPECT_EQ(over, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(dropped, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_TRUE(m_sink.log.empty());
    EXPECT_EQ(data.nRefs, 1);
}

TEST_F(DropTargetTest, RegistrationIsOneAtATimeAndRevokedByItsOwner)
{
    HWND hwnd = CreateWindowExA(0, "STATIC", "list", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(hwnd, nullptr);
    {
        CTaskListDropRegistration first;
        EXPECT_TRUE(first.Register(hwnd, m_sink, m_prompts));
        EXPECT_TRUE(first.IsRegistered());
        EXPECT_TRUE(m_prompts.shown.empty());

        CTaskListDropRegistration second;
        EXPECT_FALSE(second.Register(hwnd, m_sink, m_prompts));
        EXPECT_FALSE(second.IsRegistered());
        ASSERT_EQ(m_prompts.shown.size(), 1u);
        EXPECT_EQ(m_prompts.shown[0].text, "Could not register as a drag and drop Target");
        EXPECT_EQ(m_prompts.shown[0].caption, "");
    }
    // The first one revoked itself when it went out of scope.
    CTaskListDropRegistration again;
    EXPECT_TRUE(again.Register(hwnd, m_sink, m_prompts));
    again.Revoke();
    EXPECT_FALSE(again.IsRegistered());
    EXPECT_EQ(m_prompts.shown.size(), 1u);
    DestroyWindow(hwnd);
}
