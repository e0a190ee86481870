// Data file benchmarks: writing and reading whole documents, and the change
// plus save that follows every command. Each figure comes with a baseline
// measured in the same run on the same bytes (plain file writes and reads),
// so the ratio x_raw says what the archive format costs on top of the disk.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/prompts.h"
#include "model/file_system.h"
#include "model/netbell_doc.h"

namespace {

using Clock = std::chrono::steady_clock;
using Bytes = std::vector<uint8_t>;

class CSilentPrompts : public IPrompts {
public:
    MsgResult ShowMessage(const std::string&, const std::string&, MsgButtons, MsgIcon) override
    {
        return MsgResult::ok;
    }
    void Beep(MsgIcon) override {}
};

CStdFileSystem g_fs;
CSilentPrompts g_prompts;

const char* const kWords[] = {
    "check",  "new",      "drivers", "modem",   "update", "price",   "list",    "order",   "books",
    "reply",  "meeting",  "agenda",  "weekly",  "report", "links",   "home",    "page",    "search",
    "cheap",  "flights",  "London",  "Paris",   "news",   "release", "support", "forum",   "answer",
    "photos", "download", "patch",   "Windows", "95",     "budget",  "review",  "project", "notes",
};
const char* const kHosts[] = {"www.example.com",    "www.microsoft.com", "home.netscape.com", "www.yahoo.com",
                              "www.altavista.com",  "www.corvane.com",   "ftp.cdrom.com",     "www.w3.org",
                              "www.tucows.com",     "www.zdnet.com"};
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

// Built once per size and shared by the benchmarks that only read it.
const CNetbellDoc& SharedDocument(size_t nTasks)
{
    static std::map<size_t, std::unique_ptr<CNetbellDoc>> cache;
    auto& slot = cache[nTasks];
    if (!slot)
        slot = MakeDocument(nTasks);
    return *slot;
}

std::string TempPath(const std::string& what)
{
    static const std::string tag = std::to_string(std::random_device()());
    return (std::filesystem::temp_directory_path() / ("netbell_bench_" + tag + "_" + what)).string();
}

bool WritePlain(const std::string& path, const Bytes& data)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
    return std::fclose(f) == 0 && ok;
}

bool ReadPlain(const std::string& path, Bytes& data)
{
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    std::fseek(f, 0, SEEK_END);
    const long size = std::ftell(f);
    std::fseek(f, 0, SEEK_SET);
    data.resize(size > 0 ? static_cast<size_t>(size) : 0);
    const bool ok = std::fread(data.data(), 1, data.size(), f) == data.size();
    std::fclose(f);
    return ok;
}

double Seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

void ReportRatios(benchmark::State& state, size_t fileBytes, double ours, double raw)
{
    const double bytes = static_cast<double>(fileBytes) * static_cast<double>(state.iterations());
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
    state.counters["file_MB"] = static_cast<double>(fileBytes) / 1e6;
    state.counters["MB/s"] = bytes / ours / 1e6;
    state.counters["raw_MB/s"] = bytes / raw / 1e6;
    state.counters["x_raw"] = ours / raw;
}

// Saving: the document to bytes, the bytes to a file. The baseline writes
// the same number of bytes to another file.
void BM_WriteDocument(benchmark::State& state)
{
    const CNetbellDoc& doc = SharedDocument(static_cast<size_t>(state.range(0)));
    const Bytes sample = doc.SaveToBytes();
    const std::string path = TempPath("write.nbl");
    const std::string rawPath = TempPath("write.raw");
    double ours = 0, raw = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        const Bytes bytes = doc.SaveToBytes();
        const bool ok = WritePlain(path, bytes);
        const auto t1 = Clock::now();
        state.PauseTiming();
        const auto r0 = Clock::now();
        const bool rawOk = WritePlain(rawPath, sample);
        const auto r1 = Clock::now();
        if (!ok || !rawOk)
            state.SkipWithError("cannot write in the temporary folder");
        ours += Seconds(t1 - t0);
        raw += Seconds(r1 - r0);
        state.ResumeTiming();
    }
    ReportRatios(state, sample.size(), ours, raw);
    std::remove(path.c_str());
    std::remove(rawPath.c_str());
}

// Opening: the file's bytes, then the document from them, into a fresh
// document as at start-up. The baseline reads the same file's bytes.
void BM_ReadDocument(benchmark::State& state)
{
    const CNetbellDoc& doc = SharedDocument(static_cast<size_t>(state.range(0)));
    const Bytes sample = doc.SaveToBytes();
    const std::string path = TempPath("read.nbl");
    if (!WritePlain(path, sample)) {
        state.SkipWithError("cannot write in the temporary folder");
        return;
    }
    double ours = 0, raw = 0;
    Bytes rawBytes;
    for (auto _ : state) {
        state.PauseTiming();
        auto fresh = std::make_unique<CNetbellDoc>(g_fs, g_prompts);
        state.ResumeTiming();

        const auto t0 = Clock::now();
        Bytes bytes;
        const bool ok = ReadPlain(path, bytes) && fresh->LoadFromBytes(bytes.data(), bytes.size());
        const auto t1 = Clock::now();

        state.PauseTiming();
        if (!ok || fresh->GetTaskCount() != doc.GetTaskCount())
            state.SkipWithError("the document did not read back");
        fresh.reset(); // freeing the tasks is not part of opening
        const auto r0 = Clock::now();
        const bool rawOk = ReadPlain(path, rawBytes);
        const auto r1 = Clock::now();
        benchmark::DoNotOptimize(rawBytes.data());
        if (!rawOk || rawBytes.size() != sample.size())
            state.SkipWithError("cannot read the file back");
        ours += Seconds(t1 - t0);
        raw += Seconds(r1 - r0);
        state.ResumeTiming();
    }
    ReportRatios(state, sample.size(), ours, raw);
    std::remove(path.c_str());
}

// What every command costs: one field of one task changes and the whole
// document is saved through the safe replace. Two baselines on the same byte
// count: a plain write (x_raw), and the safe replace of ready bytes
// (x_replace), which shows the part that is the document's own.
void BM_ChangeAndSave(benchmark::State& state)
{
    const size_t nTasks = static_cast<size_t>(state.range(0));
    std::unique_ptr<CNetbellDoc> doc = MakeDocument(nTasks);
    const std::string path = TempPath("change.nbl");
    const std::string rawPath = TempPath("change.raw");
    const std::string replacePath = TempPath("change.replace");
    const Bytes sample = doc->SaveToBytes();
    if (!doc->OnSaveDocument(path)) {
        state.SkipWithError("cannot write in the temporary folder");
        return;
    }
    double ours = 0, raw = 0, replace = 0;
    size_t i = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        CRemindTask& t = *doc->m_arrTasks[i++ % nTasks];
        t.m_nStatus = t.m_nStatus == statusDone ? statusOpen : statusDone;
        t.m_strDescription[0] = t.m_strDescription[0] == 'x' ? 'y' : 'x';
        const bool ok = doc->OnSaveDocument(path);
        const auto t1 = Clock::now();

        state.PauseTiming();
        const auto r0 = Clock::now();
        const bool rawOk = WritePlain(rawPath, sample);
        const auto r1 = Clock::now();
        const bool replaceOk = g_fs.WriteReplacing(replacePath, sample) == FileError::none;
        const auto r2 = Clock::now();
        if (!ok || !rawOk || !replaceOk)
            state.SkipWithError("cannot write in the temporary folder");
        ours += Seconds(t1 - t0);
        raw += Seconds(r1 - r0);
        replace += Seconds(r2 - r1);
        state.ResumeTiming();
    }
    ReportRatios(state, sample.size(), ours, raw);
    state.counters["x_replace"] = ours / replace;
    std::remove(path.c_str());
    std::remove(rawPath.c_str());
    std::remove(replacePath.c_str());
}

} // namespace

BENCHMARK(BM_WriteDocument)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadDocument)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ChangeAndSave)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();
