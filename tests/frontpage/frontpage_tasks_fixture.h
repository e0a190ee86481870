#pragma once
// The FrontPage task operations on a scripted FrontPage, a memory document
// and settings, and a task dialog that plays the user.

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "base/settings.h"
#include "frontpage/frontpage_fakes.h"
#include "frontpage/frontpage_tasks.h"
#include "model/netbell_doc.h"

namespace fptest {

class CFakeTaskDialog : public IFrontPageTaskDialog {
public:
    std::vector<FrontPageTaskData> seen;
    std::function<bool(FrontPageTaskData&)> user = [](FrontPageTaskData&) { return true; };
    bool Run(FrontPageTaskData& data) override
    {
        seen.push_back(data);
        return user(data);
    }
};

class FrontPageTasksTest : public ::testing::Test {
protected:
    FakeFrontPageWorld world;
    CFakeDrivers factory{world};
    CFakeSystem system{world};
    CFakeRegistry registry;
    CRecordingPrompts prompts{world};
    CFakeFileSystem fs;
    CNetbellDoc doc{fs, prompts};
    CMemorySettingsStore settings;
    CFakeGuardEvent event;
    CDialogGuard guard{event, prompts, nullptr};
    CFakeTaskList list;
    CFixedClock clock;
    CFakeTaskDialog dialog;
    std::vector<unsigned> warnings;
    std::unique_ptr<CFrontPageTasks> fp;

    void SetUp() override
    {
        doc.SetPathName("D.nbl");
        registry.classesRoot["FrontPage.Explorer\\CURVER"] = "FrontPage.Explorer.2.0";
        Make();
    }
    void Make()
    {
        fp = std::make_unique<CFrontPageTasks>(FrontPageTaskPorts{
            doc, settings, prompts, guard, list, clock, dialog, factory, system, registry,
            [this](unsigned n) { warnings.push_back(n); }, "Netbell"});
        fp->Detect();
    }
    void SetPolicy(int n)
    {
        settings.WriteProfileInt("Settings\\FrontPage", "Loading", n);
        fp->RefreshLoadingPolicy();
    }
    // A stored FrontPage task of the web docs, selected alone.
    CRemindTask& AddStored(const std::string& name, const std::string& web = "docs",
                           const std::string& webUrl = "http://srv/docs")
    {
        auto t = std::make_unique<CRemindTask>();
        t->m_nKind = kindFrontPage;
        t->m_strName = name;
        t->m_strWebName = web;
        t->m_strWebUrl = webUrl;
        t->m_strLinkedTo = "Home Page";
        t->m_strPageUrl = "index.htm";
        t->m_strCookie = "NetbellCookie7";
        t->m_strUrl = web + " (Home Page)";
        doc.m_arrTasks.push_back(std::move(t));
        list.InsertRowAtTop(MakeTaskRow(*doc.m_arrTasks.back(), doc.m_arrTasks.size() - 1));
        list.selected = {0};
        return *doc.m_arrTasks.back();
    }
    CNetbellDoc SavedFile()
    {
        CNetbellDoc saved(fs, prompts);
        EXPECT_TRUE(saved.OnOpenDocument("D.nbl"));
        return saved;
    }
};

} // namespace fptest
