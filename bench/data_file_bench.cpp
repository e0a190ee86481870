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

#include "bench_documents.h"
#include "model/file_system.h"
#include "model/netbell_doc.h"

namespace {

using Clock = std::chrono::steady_clock;
using Bytes = std::vector<uint8_t>;

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

// Saving: the document to bytes, the bytes to a file, as every save after
// the first does it (in the buffer the document keeps between saves). The
// baseline writes the same number of bytes to another file.
void BM_WriteDocument(benchmark::State& state)
{
    std::unique_ptr<CNetbellDoc> doc = MakeDocument(static_cast<size_t>(state.range(0)));
    const Bytes sample = doc->SaveToBuffer();
    const std::string path = TempPath("write.nbl");
    const std::string rawPath = TempPath("write.raw");
    double ours = 0, raw = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        const Bytes& bytes = doc->SaveToBuffer();
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
