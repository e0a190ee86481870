// Writes a data file of random tasks through the program's own writer: every
// text of random bytes and random length, so that nothing about the file is
// friendlier than what people keep. The same arguments give the same file.
//
//   make_random_nbl OUT.nbl [TASKS]     (100,000 tasks by default, about 100 MB)

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>

#include "base/prompts.h"
#include "model/file_system.h"
#include "model/netbell_doc.h"

namespace {

class CSilentPrompts : public IPrompts {
public:
    MsgResult ShowMessage(const std::string& text, const std::string&, MsgButtons, MsgIcon) override
    {
        std::fprintf(stderr, "make_random_nbl: %s\n", text.c_str());
        return MsgResult::ok;
    }
    void Beep(MsgIcon) override {}
};

// Any byte is a character of the file's single-byte text.
std::string RandomText(std::mt19937& rng, size_t maxBytes)
{
    std::string s(rng() % (maxBytes + 1), '\0');
    for (char& c : s)
        c = static_cast<char>(rng());
    return s;
}

// About a kilobyte a task, most of it in the description and the URL, with
// enough long texts that every length prefix form turns up.
void AddRandomTask(CNetbellDoc& doc, std::mt19937& rng)
{
    auto t = std::make_unique<CRemindTask>();
    t->m_nStatus = rng() % 4 == 0 ? statusDone : statusOpen;
    t->m_nKind = rng() % 6;
    t->m_nPriority = static_cast<int32_t>(rng() % 3);
    t->m_strName = RandomText(rng, 80);
    t->m_strDescription = RandomText(rng, 1100);
    t->m_strUrl = RandomText(rng, 400);
    t->m_strBillingInfo = RandomText(rng, 40);
    t->m_strProject = RandomText(rng, 40);
    t->m_strAssignTo = RandomText(rng, 30);
    t->m_dtAdded.m_dt = 35431.0 + static_cast<double>(rng() % (10 * 365 * 86400)) / 86400.0;
    t->m_strWebName = RandomText(rng, 40);
    t->m_strWebUrl = RandomText(rng, 80);
    t->m_strLinkedTo = RandomText(rng, 40);
    t->m_strPageUrl = RandomText(rng, 80);
    t->m_strCookie = RandomText(rng, 30);
    doc.m_arrTasks.push_back(std::move(t));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: make_random_nbl OUT.nbl [TASKS]\n");
        return 2;
    }
    const size_t nTasks = argc == 3 ? std::strtoul(argv[2], nullptr, 10) : 100000;
    CStdFileSystem fs;
    CSilentPrompts prompts;
    CNetbellDoc doc(fs, prompts);
    std::mt19937 rng(static_cast<unsigned>(nTasks));
    for (size_t i = 0; i < nTasks; ++i)
        AddRandomTask(doc, rng);
    for (int i = 0; i < 20; ++i)
        doc.m_arrProjects.push_back(RandomText(rng, 40));
    for (int i = 0; i < 20; ++i) {
        auto e = std::make_unique<CWebSearchItem>();
        e->m_strName = RandomText(rng, 40);
        e->m_strUrl = RandomText(rng, 200);
        doc.m_arrSearchItems.push_back(std::move(e));
    }
    return doc.OnSaveDocument(argv[1]) ? 0 : 1;
}
