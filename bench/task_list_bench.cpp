// The task list's share of filling and sorting: the rows of a full refill
// (order, cell texts, icons) and a column-click sort, for 10,000 and 100,000
// tasks. The baseline, measured in the same run, is a plain loop that copies
// the same nine texts per row without deciding anything, so x_plain says
// what the list's rules cost on top of touching the data at all.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "bench_documents.h"
#include "model/task_rows.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

// The same texts a row holds, copied in array order.
std::vector<TaskRow> PlainRows(const CNetbellDoc& doc)
{
    std::vector<TaskRow> rows(doc.m_arrTasks.size());
    for (size_t i = 0; i < doc.m_arrTasks.size(); ++i) {
        const CRemindTask& t = *doc.m_arrTasks[i];
        TaskRow& r = rows[i];
        r.nTaskIndex = i;
        r.cells[colName] = t.m_strName;
        r.cells[colDescription] = t.m_strDescription;
        r.cells[colUrl] = t.m_strUrl;
        r.cells[colProject] = t.m_strProject;
        r.cells[colAssignTo] = t.m_strAssignTo;
        r.cells[colBillingInfo] = t.m_strBillingInfo;
    }
    return rows;
}

template <class Ours, class Plain>
void Compare(benchmark::State& state, Ours ours, Plain plain)
{
    double tOurs = 0, tPlain = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        benchmark::DoNotOptimize(ours());
        const auto t1 = Clock::now();
        state.PauseTiming();
        const auto p0 = Clock::now();
        benchmark::DoNotOptimize(plain());
        const auto p1 = Clock::now();
        tOurs += Seconds(t1 - t0);
        tPlain += Seconds(p1 - p0);
        state.ResumeTiming();
    }
    state.counters["rows"] = static_cast<double>(state.range(0));
    state.counters["x_plain"] = tOurs / tPlain;
}

// A full refill: what start-up and every delete cost the list.
void BM_FillList(benchmark::State& state)
{
    const CNetbellDoc& doc = SharedDocument(static_cast<size_t>(state.range(0)));
    Compare(state, [&] { return FillRows(doc, colType, false); }, [&] { return PlainRows(doc); });
}

// A column click: the rows sorted by name, then by date, as the control's
// comparison sees them. The baseline sorts the same rows twice with a plain
// byte comparison of the names.
void BM_SortList(benchmark::State& state)
{
    const CNetbellDoc& doc = SharedDocument(static_cast<size_t>(state.range(0)));
    const std::vector<size_t> start = FillOrder(doc, colType, false);
    Compare(
        state,
        [&] {
            std::vector<size_t> rows = start;
            SortRows(doc, rows, colName, true);
            SortRows(doc, rows, colDateAdded, false);
            return rows.front();
        },
        [&] {
            std::vector<size_t> rows = start;
            const auto byName = [&](size_t a, size_t b) {
                return doc.m_arrTasks[a]->m_strName < doc.m_arrTasks[b]->m_strName;
            };
            std::stable_sort(rows.begin(), rows.end(), byName);
            std::stable_sort(rows.begin(), rows.end(), byName);
            return rows.front();
        });
}

} // namespace

BENCHMARK(BM_FillList)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SortList)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
