#pragma once
// A scripted FrontPage and system for the FrontPage tests: both servers
// share one world that records every call in order.

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/dialog_guard.h"
#include "support/fakes.h"
#include "frontpage/frontpage_ports.h"
#include "model/task_rows.h"

namespace fptest {

// The servers' shared state, and the calls they received, one text each:
// the member's name and its arguments in order, "|" between them.
struct FakeFrontPageWorld {
    std::vector<std::string> calls;
    std::string webTitle;
    std::string webUrl;
    // What OpenWeb does: its answer, and the web that then appears after
    // so many more title reads (never when negative).
    bool bOpenWebAnswer = true;
    std::string openTitle;
    std::string openUrl;
    int nOpenAfterReads = 0;
    int nPendingReads = -1;
    // The web PromptForWeb leaves open; unchanged when both are empty.
    std::string promptTitle;
    std::string promptUrl;
    std::string pageList;
    // Answers of AddToDoTask and MarkToDoComplete, used up in order; true
    // when they run out.
    std::deque<bool> addAnswers;
    std::deque<bool> markAnswers;
    int nLiveDrivers = 0;

    bool Answer(std::deque<bool>& answers)
    {
        if (answers.empty())
            return true;
        const bool b = answers.front();
        answers.pop_front();
        return b;
    }
    int Count(const std::string& call) const
    {
        int n = 0;
        for (const std::string& c : calls)
            n += c == call || c.rfind(call + "|", 0) == 0;
        return n;
    }
};

class CFakeToDoList : public IFrontPageToDoList {
public:
    explicit CFakeToDoList(FakeFrontPageWorld& world) : w(world) { ++w.nLiveDrivers; }
    ~CFakeToDoList() override { --w.nLiveDrivers; }
    void ShowList() override { w.calls.push_back("ShowList"); }
    bool AddToDoTask(const std::string& name, int16_t nPriority, const std::string& creator,
                     const std::string& pageUrl, const std::string& cookie, const std::string& comment) override
    {
        w.calls.push_back("AddToDoTask|" + name + "|" + std::to_string(nPriority) + "|" + creator + "|" + pageUrl +
                          "|" + cookie + "|" + comment);
        return w.Answer(w.addAnswers);
    }
    bool MarkToDoComplete(const std::string& pageUrl, const std::string& cookie) override
    {
        w.calls.push_back("MarkToDoComplete|" + pageUrl + "|" + cookie);
        return w.Answer(w.markAnswers);
    }

private:
    FakeFrontPageWorld& w;
};

class CFakeExplorer : public IFrontPageExplorer {
public:
    explicit CFakeExplorer(FakeFrontPageWorld& world) : w(world) { ++w.nLiveDrivers; }
    ~CFakeExplorer() override { --w.nLiveDrivers; }
    void ShowExplorer() override { w.calls.push_back("ShowExplorer"); }
    std::string GetWebTitle() override
    {
        w.calls.push_back("GetWebTitle");
        if (w.nPendingReads >= 0 && w.nPendingReads-- == 0) {
            w.webTitle = w.openTitle;
            w.webUrl = w.openUrl;
        }
        return w.webTitle;
    }
    std::string GetWebUrl() override
    {
        w.calls.push_back("GetWebUrl");
        return w.webUrl;
    }
    void PromptForWeb() override
    {
        w.calls.push_back("PromptForWeb");
        if (!w.promptTitle.empty() || !w.promptUrl.empty()) {
            w.webTitle = w.promptTitle;
            w.webUrl = w.promptUrl;
        }
    }
    std::string GetPageList(int32_t nFlags) override
    {
        w.calls.push_back("GetPageList|" + std::to_string(nFlags));
        return w.pageList;
    }
    bool OpenWeb(const std::string& server, const std::string& webName, const std::string& user) override
    {
        w.calls.push_back("OpenWeb|" + server + "|" + webName + "|" + user);
        if (w.bOpenWebAnswer && w.nOpenAfterReads >= 0)
            w.nPendingReads = w.nOpenAfterReads;
        return w.bOpenWebAnswer;
    }
    int32_t EditPage(const std::string& pageUrl) override
    {
        w.calls.push_back("EditPage|" + pageUrl);
        return 1;
    }

private:
    FakeFrontPageWorld& w;
};

class CFakeDrivers : public IFrontPageDrivers {
public:
    explicit CFakeDrivers(FakeFrontPageWorld& world) : w(world) {}
    int32_t nToDoListStatus = 0;
    int32_t nExplorerStatus = 0;
    std::map<int32_t, std::string> texts;

    int32_t CreateToDoList(std::unique_ptr<IFrontPageToDoList>& driver) override
    {
        w.calls.push_back("create ToDoList");
        if (nToDoListStatus == 0)
            driver = std::make_unique<CFakeToDoList>(w);
        return nToDoListStatus;
    }
    int32_t CreateExplorer(std::unique_ptr<IFrontPageExplorer>& driver) override
    {
        w.calls.push_back("create Explorer");
        if (nExplorerStatus == 0)
            driver = std::make_unique<CFakeExplorer>(w);
        return nExplorerStatus;
    }
    std::string StatusText(int32_t nStatus) override { return texts[nStatus]; }

private:
    FakeFrontPageWorld& w;
};

// Pauses are only counted, so a poll of half a minute runs at once. The
// wait cursor's beginnings and ends go into the world's calls too, so that
// tests see what ran under it.
class CFakeSystem : public IFrontPageSystem {
public:
    explicit CFakeSystem(FakeFrontPageWorld& world) : w(world) {}
    bool bExplorerWindow = false;
    std::vector<unsigned> sleeps;
    int nWaitDepth = 0;

    bool ExplorerWindowExists() override { return bExplorerWindow; }
    void Sleep(unsigned nMilliseconds) override
    {
        sleeps.push_back(nMilliseconds);
        w.calls.push_back("Sleep|" + std::to_string(nMilliseconds));
    }
    void BeginWaitCursor() override
    {
        ++nWaitDepth;
        w.calls.push_back("wait on");
    }
    void EndWaitCursor() override
    {
        --nWaitDepth;
        w.calls.push_back("wait off");
    }

private:
    FakeFrontPageWorld& w;
};

class CFakeRegistry : public IFrontPageRegistry {
public:
    std::map<std::string, std::string> classesRoot;
    // Key, then value name, then text.
    std::map<std::string, std::map<std::string, std::string>> user;
    std::vector<std::string> writes;

    bool ReadClassesRootDefault(const std::string& subkey, std::string& text) override
    {
        auto it = classesRoot.find(subkey);
        if (it == classesRoot.end())
            return false;
        text = it->second;
        return true;
    }
    bool WriteUserString(const std::string& subkey, const std::string& value, const std::string& text) override
    {
        writes.push_back(subkey + "|" + value);
        user[subkey][value] = text;
        return true;
    }
    bool DeleteUserValue(const std::string& subkey, const std::string& value) override
    {
        auto key = user.find(subkey);
        return key != user.end() && key->second.erase(value) != 0;
    }
};

// Messages go into the world's calls as well, to be seen in order with the
// rest.
class CRecordingPrompts : public CFakePrompts {
public:
    explicit CRecordingPrompts(FakeFrontPageWorld& world) : w(world) {}
    MsgResult ShowMessage(const std::string& text, const std::string& caption, MsgButtons buttons,
                         MsgIcon icon) override
    {
        w.calls.push_back("message|" + caption);
        return CFakePrompts::ShowMessage(text, caption, buttons, icon);
    }

private:
    FakeFrontPageWorld& w;
};

} // namespace fptest
