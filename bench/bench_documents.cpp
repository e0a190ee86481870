#include "bench_documents.h"

#include <map>
#include <random>
#include <string>

CStdFileSystem g_fs;
CSilentPrompts g_prompts;

namespace {

const char* const kWords[] = {
    "check",  "new",      "drivers", "modem",   "update", "price",   "list",    "order",   "books",
    "reply",  "meeting",  "agenda",  "weekly",  "report", "links",   "home",    "page",    "search",
    "cheap",  "flights",  "London",  "Paris",   "news",   "release", "support", "forum",   "answer",
    "photos", "download", "patch",   "Windows", "95",     "budget",  "review",  "project", "notes",
};
const char* const kHosts[] = {"www.example.com",  "www.example.org", "www.example.net", "search.example.com",
                              "news.example.org", "www.corvane.com", "ftp.example.net", "docs.example.org",
                              "shop.example.com", "mail.example.net"};
const char* const kGroups[] = {"comp.lang.c++", "alt.comp.freeware", "rec.travel.europe", "comp.os.ms-windows.misc"};
const char* const kPeople[] = {"jo", "sam", "alex", "chris", "pat", "lee"};
const char* const kProjects[] = {"Site", "Home", "Work", "Travel", "Hardware", "Reading", "Clients", "Misc"};

template <size_t N>
const char* Pick(std::mt19937& rng, const char* const (&list)[N])
{
    return list[rng() % N];
}

std::string Words(std::mt19937& rng, size_t minBytes, size_t maxBytes)
{
    const size_t target = minBytes + rng() % (maxBytes - minBytes + 1);
    std::string s;
    while (s.size() < target) {
        if (!s.empty())
            s += ' ';
        s += Pick(rng, kWords);
    }
    s.resize(target);
    return s;
}

// A mix of kinds as people use them: mostly pages to browse, then notes,
// searches, mail and news, and a few FrontPage tasks.
void AddRealisticTask(CNetbellDoc& doc, std::mt19937& rng)
{
    auto t = std::make_unique<CRemindTask>();
    const unsigned roll = rng() % 100;
    t->m_nKind = roll < 40 ? kindBrowse
                 : roll < 55 ? kindNote
                 : roll < 70 ? kindSearch
                 : roll < 85 ? kindEMail
                 : roll < 95 ? kindNewsgroup
                             : kindFrontPage;
    t->m_nStatus = rng() % 4 == 0 ? statusDone : statusOpen;
    t->m_nPriority = static_cast<int32_t>(rng() % 3);
    t->m_strName = Words(rng, 8, 40);
    t->m_strDescription = Words(rng, 20, 90);
    const std::string host = Pick(rng, kHosts);
    switch (t->m_nKind) {
    case kindBrowse:
        t->m_strUrl = "http://" + host + "/" + Pick(rng, kWords) + "/index" + std::to_string(rng() % 500) + ".html";
        break;
    case kindSearch: t->m_strUrl = "http://" + host + "/cgi-bin/query?q="; break;
    case kindEMail: t->m_strUrl = std::string("mailto:") + Pick(rng, kPeople) + "@" + host.substr(4); break;
    case kindNewsgroup: t->m_strUrl = std::string("news:") + Pick(rng, kGroups); break;
    case kindFrontPage:
        t->m_strWebName = Pick(rng, kWords);
        t->m_strWebUrl = "http://" + host + "/" + t->m_strWebName;
        t->m_strLinkedTo = Words(rng, 8, 24);
        t->m_strPageUrl = t->m_strWebUrl + "/page" + std::to_string(rng() % 100) + ".htm";
        t->m_strCookie = "NetbellCookie" + std::to_string(1 + rng() % 32000);
        t->m_strUrl = t->m_strWebName + " (" + t->m_strLinkedTo + ")";
        break;
    default: break;
    }
    if (rng() % 3 == 0)
        t->m_strProject = Pick(rng, kProjects);
    if (rng() % 5 == 0)
        t->m_strAssignTo = Pick(rng, kPeople);
    if (rng() % 10 == 0)
        t->m_strBillingInfo = "Account " + std::to_string(rng() % 1000);
    // Added between 1997 and 1999, to the second.
    t->m_dtAdded.m_dt = 35431.0 + static_cast<double>(rng() % (3 * 365 * 86400)) / 86400.0;
    doc.m_arrTasks.push_back(std::move(t));
}

} // namespace

std::unique_ptr<CNetbellDoc> MakeDocument(size_t nTasks)
{
    auto doc = std::make_unique<CNetbellDoc>(g_fs, g_prompts);
    std::mt19937 rng(static_cast<unsigned>(nTasks));
    for (size_t i = 0; i < nTasks; ++i)
        AddRealisticTask(*doc, rng);
    for (const char* p : kProjects)
        doc->m_arrProjects.push_back(p);
    for (const char* h : kHosts) {
        auto e = std::make_unique<CWebSearchItem>();
        e->m_strName = h;
        e->m_strUrl = std::string("http://") + h + "/cgi-bin/query?q=";
        doc->m_arrSearchItems.push_back(std::move(e));
    }
    return doc;
}

const CNetbellDoc& SharedDocument(size_t nTasks)
{
    static std::map<size_t, std::unique_ptr<CNetbellDoc>> cache;
    auto& slot = cache[nTasks];
    if (!slot)
        slot = MakeDocument(nTasks);
    return *slot;
}

