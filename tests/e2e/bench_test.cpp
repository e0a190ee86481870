// Measurements of the real program under Wine, run by bench/wine_bench.sh
// and never by the end-to-end tier (they are disabled there and take
// minutes). Each prints its figures; a case fails only when it could not
// measure.
//
// Monitor: the CPU time netbell.exe uses in 60 idle seconds with no dial-up
// connection, thread by thread, then in 60 more with "Watch Network" on and
// no network connection either, and then in 60 more with its monitor thread
// held suspended: the same program, the same run, as if the monitor had
// never started, while the program stays as it ships. Linux counts each
// thread's time to the nanosecond in /proc, which Wine shows as drive Z:
// (Windows' own thread times count 10 ms ticks). The wineserver works for
// the monitor too but also for every other program of the session, so it
// is printed beside; the minimal tray program, idle too, gives the scale.
//
// List: the time from starting netbell.exe over 10,000 tasks to the list
// shown with every row, painted; the same for an empty list; and plain
// loops in this program over the same rows: making their cells, and
// filling a list view of its own with them and showing it.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <sstream>

#include "driver.h"
#include "nbl_bytes.h"
#include "netbell_case.h"
#include "plain_list.h"

namespace e2e {
namespace {

using namespace netbell;

// ---- Linux threads seen through Z:\proc ------------------------------------

std::string ReadProcFile(const std::string& path)
{
    // Files in /proc report no size; read until the end.
    const auto bytes = ReadFileBytes(path);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

std::string Lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return s;
}

// The Linux process whose command line starts with exe (Wine shows a
// program's Windows command line there); 0 when there is none.
unsigned long LinuxPidOf(const std::string& exe)
{
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA("Z:\\proc\\*", &fd);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    unsigned long found = 0;
    do {
        const unsigned long pid = strtoul(fd.cFileName, nullptr, 10);
        if (pid == 0)
            continue;
        std::string cmdline = ReadProcFile("Z:\\proc\\" + std::to_string(pid) + "\\cmdline");
        if (!cmdline.empty() && cmdline[0] == '"')
            cmdline.erase(0, 1);
        if (Lower(cmdline).rfind(Lower(exe), 0) == 0)
            found = pid;
    } while (!found && FindNextFileA(find, &fd));
    FindClose(find);
    return found;
}

struct ThreadTime {
    unsigned long long ns = 0;  // time on a CPU
    unsigned long long runs = 0;  // times it was scheduled
};

// Every thread of a Linux process, by thread id (which grows with creation).
std::map<unsigned long, ThreadTime> LinuxThreads(unsigned long pid)
{
    std::map<unsigned long, ThreadTime> threads;
    const std::string dir = "Z:\\proc\\" + std::to_string(pid) + "\\task";
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (find == INVALID_HANDLE_VALUE)
        return threads;
    do {
        const unsigned long tid = strtoul(fd.cFileName, nullptr, 10);
        if (tid == 0)
            continue;
        std::istringstream in(ReadProcFile(dir + "\\" + fd.cFileName + "\\schedstat"));
        ThreadTime t;
        unsigned long long wait = 0;
        if (in >> t.ns >> wait >> t.runs)
            threads[tid] = t;
    } while (FindNextFileA(find, &fd));
    FindClose(find);
    return threads;
}

// A Windows thread of another process.
struct WinThread {
    DWORD id = 0;
    ULONGLONG created = 0;
    uintptr_t start = 0;  // the routine it was started with
};

// The threads of a process in the order they were created.
std::vector<WinThread> WindowsThreads(DWORD pid)
{
    using QueryThread = LONG(WINAPI*)(HANDLE, int, PVOID, ULONG, PULONG);
    constexpr int kThreadStartAddress = 9;
    const auto query = reinterpret_cast<QueryThread>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationThread")));
    std::vector<WinThread> threads;
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snap == INVALID_HANDLE_VALUE)
        return threads;
    THREADENTRY32 te = {};
    te.dwSize = sizeof te;
    for (BOOL ok = Thread32First(snap, &te); ok; ok = Thread32Next(snap, &te)) {
        if (te.th32OwnerProcessID != pid)
            continue;
        WinThread t;
        t.id = te.th32ThreadID;
        if (HANDLE h = OpenThread(THREAD_QUERY_INFORMATION, FALSE, te.th32ThreadID)) {
            FILETIME created = {}, exited, kernel, user;
            GetThreadTimes(h, &created, &exited, &kernel, &user);
            t.created = (static_cast<ULONGLONG>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
            void* start = nullptr;
            if (query)
                query(h, kThreadStartAddress, &start, sizeof start, nullptr);
            t.start = reinterpret_cast<uintptr_t>(start);
            CloseHandle(h);
        }
        threads.push_back(t);
    }
    CloseHandle(snap);
    std::stable_sort(threads.begin(), threads.end(),
                     [](const WinThread& a, const WinThread& b) { return a.created < b.created; });
    return threads;
}

// Where the program file of a process lies in its memory.
std::pair<uintptr_t, uintptr_t> ImageRange(HANDLE hProcess)
{
    HMODULE exe = nullptr;
    DWORD cb = 0;
    MODULEINFO info = {};
    if (!EnumProcessModules(hProcess, &exe, sizeof exe, &cb) || !GetModuleInformation(hProcess, exe, &info, sizeof info))
        return {0, 0};
    const auto base = reinterpret_cast<uintptr_t>(info.lpBaseOfDll);
    return {base, base + info.SizeOfImage};
}

// The wineserver of this Wine session: the one started with our prefix.
unsigned long WineserverPid()
{
    const std::string prefix = "WINEPREFIX=" + EnvVar("WINEPREFIX");
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA("Z:\\proc\\*", &fd);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    unsigned long found = 0;
    do {
        const unsigned long pid = strtoul(fd.cFileName, nullptr, 10);
        if (pid == 0 || ReadProcFile("Z:\\proc\\" + std::to_string(pid) + "\\comm").rfind("wineserver", 0) != 0)
            continue;
        const std::string env = ReadProcFile("Z:\\proc\\" + std::to_string(pid) + "\\environ");
        if (env.find(prefix + '\0') != std::string::npos)
            found = pid;
    } while (!found && FindNextFileA(find, &fd));
    FindClose(find);
    return found;
}

unsigned long long TotalNs(const std::map<unsigned long, ThreadTime>& threads)
{
    unsigned long long ns = 0;
    for (const auto& t : threads)
        ns += t.second.ns;
    return ns;
}

// ---- the list ----------------------------------------------------------------

double NowMs()
{
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return 1000.0 * static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

NblDocument ManyTasks(size_t n)
{
    static const uint32_t kinds[] = {nbl::browse, nbl::note, nbl::search, nbl::email, nbl::newsgroup};
    NblDocument doc;
    doc.projects = {"Work", "Home"};
    doc.tasks.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        const std::string number = std::to_string(i);
        NblTask t = MakeTask(kinds[i % 5], "Task number " + number + " with a name longer than the column shows",
                             "http://example.com/pages/" + number + ".htm");
        t.description = "A description that runs past forty characters, number " + number;
        t.priority = static_cast<int32_t>(i % 3);
        t.project = i % 2 ? "Work" : "Home";
        t.assignTo = "Ada";
        t.billing = "B-" + number;
        t.date = nbl::kSampleDate + static_cast<double>(i % 400);
        doc.tasks.push_back(t);
    }
    return doc;
}

// The cells a row of the list shows for a task.
std::vector<std::string> CellsOf(const NblTask& t)
{
    static const char* const kinds[] = {"Browse", "Note", "FrontPage", "Search", "E-Mail", "Newsgroup"};
    static const char* const priorities[] = {"High", "Medium", "Low"};
    return {kinds[t.kind], priorities[t.priority], t.name.substr(0, 40), t.description.substr(0, 40),
            t.url, t.project, t.assignTo, t.billing, ListDate(t.date)};
}

// The plainest loop over the rows: each one's cells made and measured.
double FormatLoopMs(const NblDocument& doc)
{
    const double t0 = NowMs();
    size_t chars = 0;
    for (const NblTask& t : doc.tasks)
        for (const std::string& cell : CellsOf(t))
            chars += cell.size();
    const double ms = NowMs() - t0;
    return chars > 0 ? ms : -1;
}

// Fills a report list view of this program with the rows, appending each,
// then shows and paints it: what any program showing these rows cannot
// avoid, when it keeps the control from redrawing meanwhile (quiet), and
// the naive way. Milliseconds.
double PlainLoopMs(const NblDocument& doc, bool quiet)
{
    const double t0 = NowMs();
    HWND frame = CreateWindowExA(0, "STATIC", "plain loop", WS_OVERLAPPEDWINDOW, 100, 100, 768, 576, nullptr,
                                 nullptr, nullptr, nullptr);
    if (!frame)
        return -1;
    HWND list = CreatePlainList(frame, nullptr);
    if (!list) {
        DestroyWindow(frame);
        return -1;
    }
    if (quiet)
        SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    int row = 0;
    for (const NblTask& t : doc.tasks) {
        AppendPlainRow(list, row, CellsOf(t));
        ++row;
    }
    if (quiet)
        SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    ShowWindow(frame, SW_SHOWNORMAL);
    UpdateWindow(frame);
    UpdateWindow(list);
    const double ms = NowMs() - t0;
    const bool complete = SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == static_cast<LRESULT>(doc.tasks.size());
    DestroyWindow(frame);
    return complete ? ms : -1;
}

// The same rows shown by a program of their own, started as Netbell is:
// milliseconds from CreateProcess to its list full, shown and painted, or
// -1. It reads them from a file, one line a row, tab between cells.
double StartedLoopMs(const NblDocument& doc)
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string rowsFile = JoinPath(temp, "netbell_list_rows.txt");
    std::string text;
    for (const NblTask& t : doc.tasks) {
        const std::vector<std::string> cells = CellsOf(t);
        for (size_t c = 0; c < cells.size(); ++c)
            text += (c ? "\t" : "") + cells[c];
        text += '\n';
    }
    if (!WriteFileBytes(rowsFile, std::vector<uint8_t>(text.begin(), text.end())))
        return -1;
    const std::string exe = JoinPath(ModuleFolder(), "list_minimal.exe");
    const double t0 = NowMs();
    CProcess p = CProcess::Start(exe, "\"" + rowsFile + "\"", ModuleFolder());
    double ms = -1;
    while (p && p.IsRunning() && NowMs() - t0 < 60000) {
        HWND frame = FindTopWindow(p.Id(), "ListMinimal");
        HWND list = frame ? FindChild(frame, kListClass) : nullptr;
        if (list && IsVisible(frame) &&
            Send(list, LVM_GETITEMCOUNT, 0, 0).value_or(-1) == static_cast<LRESULT>(doc.tasks.size())) {
            UpdateWindow(list);
            ms = NowMs() - t0;
            Post(frame, WM_CLOSE, 0, 0);
            break;
        }
        Sleep(1);
    }
    if (p && !p.WaitForExit(5000))
        p.Kill();
    DeleteFileA(rowsFile.c_str());
    return ms;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? -1 : v[v.size() / 2];
}

class WineBench : public NetbellCase {
protected:
    // Milliseconds from CreateProcess to the main frame, to every row in the
    // list, and to the list shown and painted; -1 when it never was.
    struct StartTimes {
        double frame = -1, rows = -1, shown = -1;
    };
    StartTimes StartToShownList(size_t rows)
    {
        StartTimes times;
        PresetReturningUser();
        const double t0 = NowMs();
        CProcess& p = Start();
        HWND frame = nullptr;
        HWND list = nullptr;
        // Polled tighter than the cases' waits: this is the measurement. The
        // frame shows up before its list is made.
        while (!(frame = FindTopWindow(p.Id(), kFrameClass), list = frame ? FindChild(frame, kListClass) : nullptr) &&
               p.IsRunning() && NowMs() - t0 < 60000)
            Sleep(1);
        if (!list) {
            ADD_FAILURE() << "no list; " << Describe(p);
            return times;
        }
        times.frame = NowMs() - t0;
        const auto count = [&] { return Send(list, LVM_GETITEMCOUNT, 0, 0).value_or(-1); };
        const auto filled = [&] { return IsVisible(frame) && count() == static_cast<LRESULT>(rows); };
        const auto inTime = [&] { return p.IsRunning() && NowMs() - t0 < 60000; };
        // Start-up answers messages in places (while it adds its icon, for
        // one) and hides the window at its end, so a double click on the
        // icon that came in before would be undone. Once the rows are in,
        // start-up is over.
        while (rows > 0 && count() != static_cast<LRESULT>(rows) && inTime())
            Sleep(1);
        times.rows = NowMs() - t0;
        // Then the double click, as a user waiting for the list gives it,
        // until the list is shown, full and painted.
        double ms = -1;
        bool ok = false;
        while (!ok && inTime()) {
            Send(frame, kTrayNotify, kTrayIconId, WM_LBUTTONDBLCLK, 60000);
            if (!filled())
                continue;
            UpdateWindow(list);
            ms = NowMs() - t0;
            // An empty list has no rows to tell the end of start-up by: a
            // window that start-up hides again was not yet the answer.
            Sleep(rows > 0 ? 0 : 200);
            ok = filled();
        }
        if (!ok)
            ADD_FAILURE() << "the list did not fill; " << Describe(p);
        PostCommand(frame, kCmdExit);
        p.WaitForExit(kWaitMs);
        if (ok)
            times.shown = ms;
        return times;
    }
};

// CPU used in one idle window, in ms: netbell.exe thread by thread, the
// wineserver, and the minimal tray program.
struct IdleSample {
    std::vector<double> threads;
    double server = 0;
    double minimal = 0;
    double Program() const
    {
        double ms = 0;
        for (double t : threads)
            ms += t;
        return ms;
    }
};

double UsedMs(const std::map<unsigned long, ThreadTime>& before, const std::map<unsigned long, ThreadTime>& after)
{
    return (TotalNs(after) - TotalNs(before)) / 1e6;
}

IdleSample MeasureIdle(unsigned long pid, unsigned long serverPid, unsigned long minimalPid, DWORD ms)
{
    using Threads = std::map<unsigned long, ThreadTime>;
    const auto read = [](unsigned long id) { return id ? LinuxThreads(id) : Threads{}; };
    const Threads before = read(pid), serverBefore = read(serverPid), minimalBefore = read(minimalPid);
    Sleep(ms);
    const Threads after = read(pid), serverAfter = read(serverPid), minimalAfter = read(minimalPid);
    IdleSample s;
    for (const auto& t : after) {
        const auto b = before.find(t.first);
        s.threads.push_back((t.second.ns - (b == before.end() ? 0 : b->second.ns)) / 1e6);
    }
    s.server = UsedMs(serverBefore, serverAfter);
    s.minimal = UsedMs(minimalBefore, minimalAfter);
    return s;
}

// A thread of another process held still for as long as the object lives.
class CSuspendedThread {
public:
    explicit CSuspendedThread(DWORD tid) : m_h(OpenThread(THREAD_SUSPEND_RESUME, FALSE, tid))
    {
        m_bSuspended = m_h && SuspendThread(m_h) != static_cast<DWORD>(-1);
    }
    ~CSuspendedThread()
    {
        if (m_bSuspended)
            ResumeThread(m_h);
        if (m_h)
            CloseHandle(m_h);
    }
    CSuspendedThread(const CSuspendedThread&) = delete;
    CSuspendedThread& operator=(const CSuspendedThread&) = delete;
    explicit operator bool() const { return m_bSuspended; }

private:
    HANDLE m_h;
    bool m_bSuspended = false;
};

TEST_F(WineBench, DISABLED_MonitorIdleCpu)
{
    constexpr DWORD kWindowMs = 60000;
    // No connection, through the stand-ins: they read their state files at
    // every call, more than Wine's own services do, so this is the dearer case.
    ASSERT_TRUE(WriteFileBytes(DataPath(), EmptyDataFile()));
    ASSERT_TRUE(UseDialUpStandIn());
    ASSERT_TRUE(UseNetworkStandIn());
    PresetReturningUser();
    CProcess& p = Start();
    HWND frame = WaitForFrame(p);
    ASSERT_TRUE(frame) << Describe(p);
    // The minimal tray program idles beside it, for scale.
    const std::string minimalExe = JoinPath(ModuleFolder(), "tray_minimal.exe");
    CProcess minimal = FileExists(minimalExe) ? CProcess::Start(minimalExe, "", ModuleFolder()) : CProcess();
    Sleep(3000);  // start-up done

    const unsigned long pid = LinuxPidOf(m_strExe);
    ASSERT_NE(0ul, pid) << "netbell.exe not found in Z:\\proc";
    const unsigned long minimalPid = minimal ? LinuxPidOf(minimalExe) : 0;
    const unsigned long serverPid = EnvVar("WINEPREFIX").empty() ? 0 : WineserverPid();
    // The program starts two threads of its own, the instance watcher and
    // then, with the main frame, the monitor; Wine may add threads of its
    // own, which start outside the program file. Wine runs every thread on
    // a Linux thread of its own, created in the same order.
    const std::vector<WinThread> threads = WindowsThreads(p.Id());
    const auto image = ImageRange(p.Handle());
    std::vector<std::string> names;
    size_t monitorAt = 0;
    for (size_t i = 0; i < threads.size(); ++i) {
        const bool own = threads[i].start >= image.first && threads[i].start < image.second;
        names.push_back(i == 0 ? "main thread" : own ? "instance watcher" : "Wine's own");
        if (own && i > 0)
            monitorAt = i;
    }
    ASSERT_NE(0u, monitorAt) << "cannot tell the monitor thread";
    names[monitorAt] = "monitor";
    const IdleSample with = MeasureIdle(pid, serverPid, minimalPid, kWindowMs);
    // Read at every poll: the next one asks the network too, and loads its
    // library once; the steady cost is measured from the poll after.
    ASSERT_TRUE(RegWriteDword(HKEY_CURRENT_USER, std::string(kAppKey) + "\\Settings", "Watch Network", 1));
    Sleep(11000);
    const IdleSample watching = MeasureIdle(pid, serverPid, minimalPid, kWindowMs);
    IdleSample without;
    {
        // The same program as if its monitor had never started.
        const CSuspendedThread monitor(threads[monitorAt].id);
        ASSERT_TRUE(monitor) << "cannot hold the monitor thread";
        without = MeasureIdle(pid, serverPid, minimalPid, kWindowMs);
    }
    ASSERT_TRUE(p.IsRunning());
    ASSERT_EQ(threads.size(), with.threads.size()) << "cannot match Windows threads to Linux threads";
    ASSERT_EQ(threads.size(), watching.threads.size());
    ASSERT_EQ(threads.size(), without.threads.size());

    printf("monitor idle: CPU time in %lu idle seconds, no connection   with monitor  Watch Network   monitor held\n",
           kWindowMs / 1000);
    for (size_t i = 0; i < threads.size(); ++i)
        printf("monitor idle:   netbell.exe %-16s %24.3f ms %12.3f ms %12.3f ms\n", names[i].c_str(), with.threads[i],
               watching.threads[i], without.threads[i]);
    printf("monitor idle:   netbell.exe in all %30.3f ms %12.3f ms %12.3f ms\n", with.Program(), watching.Program(),
           without.Program());
    if (serverPid)
        printf("monitor idle:   wineserver (every program of the session) %7.3f ms %12.3f ms %12.3f ms\n", with.server,
               watching.server, without.server);
    if (minimalPid)
        printf("monitor idle:   tray_minimal.exe, for scale %21.3f ms %12.3f ms %12.3f ms\n", with.minimal,
               watching.minimal, without.minimal);
    constexpr double kPolls = kWindowMs / 10000;
    printf("monitor idle:   the monitor: %.3f ms per poll, %.5f%% of one CPU\n", with.threads[monitorAt] / kPolls,
           100.0 * with.threads[monitorAt] / kWindowMs);
    printf("monitor idle:   the monitor with \"Watch Network\" on: %.3f ms per poll, %.5f%% of one CPU\n",
           watching.threads[monitorAt] / kPolls, 100.0 * watching.threads[monitorAt] / kWindowMs);
    const double a = with.Program() + with.server;
    const double b = without.Program() + without.server;
    printf("monitor idle ratio (netbell.exe and wineserver, with monitor / monitor held): %.3f\n", b > 0 ? a / b : 0);
    EXPECT_GT(with.threads[monitorAt], 0) << "the monitor did not run";
    EXPECT_GT(watching.threads[monitorAt], 0) << "the monitor did not run";
    EXPECT_EQ(0, without.threads[monitorAt]) << "the monitor was not held";

    PostCommand(frame, kCmdExit);
    EXPECT_TRUE(p.WaitForExit(kWaitMs));
    // Closed, not killed, so its icon leaves the tray.
    for (HWND h : FindTopWindows(minimal.Id(), nullptr))
        Post(h, WM_CLOSE, 0, 0);
    if (minimal && !minimal.WaitForExit(5000))
        minimal.Kill();
}

TEST_F(WineBench, DISABLED_ListOfTenThousandTasks)
{
    constexpr size_t kRows = 10000;
    constexpr int kRuns = 3;
    const NblDocument doc = ManyTasks(kRows);
    const std::vector<uint8_t> file = WriteNbl(doc);
    std::vector<double> frame, rowsIn, full, empty, plain, started, format;
    for (int i = 0; i < kRuns; ++i) {
        ASSERT_TRUE(WriteFileBytes(DataPath(), file));
        const StartTimes f = StartToShownList(kRows);
        ASSERT_GT(f.shown, 0) << "the list never showed its rows";
        frame.push_back(f.frame);
        rowsIn.push_back(f.rows);
        full.push_back(f.shown);
        ASSERT_TRUE(WriteFileBytes(DataPath(), EmptyDataFile()));
        empty.push_back(StartToShownList(0).shown);
        ASSERT_GT(empty.back(), 0);
        plain.push_back(PlainLoopMs(doc, true));
        ASSERT_GT(plain.back(), 0);
        format.push_back(FormatLoopMs(doc));
        started.push_back(StartedLoopMs(doc));
        ASSERT_GT(started.back(), 0) << "the plain program did not show its list";
    }
    const double naive = PlainLoopMs(doc, false);
    const double f = Median(full), e = Median(empty), l = Median(plain), c = Median(format), s = Median(started);
    printf("list: median of %d runs, %zu tasks (%zu bytes of data file)\n", kRuns, kRows, file.size());
    printf("list:   netbell.exe, start to its main frame               %8.1f ms\n", Median(frame));
    printf("list:   netbell.exe, start to the %zu rows in the list   %8.1f ms\n", kRows, Median(rowsIn));
    printf("list:   netbell.exe, start to the shown list of %zu tasks %8.1f ms\n", kRows, f);
    printf("list:   netbell.exe, start to the shown empty list         %8.1f ms\n", e);
    printf("list:   plain loop making the rows' cells                  %8.1f ms\n", c);
    printf("list:   plain loop filling a list view with them, shown    %8.1f ms\n", l);
    printf("list:   the same loop, the list redrawing all along (once) %8.1f ms\n", naive);
    printf("list:   a plain program doing that loop, start to shown     %8.1f ms\n", s);
    printf("list ratio (start to shown list / plain list-view loop): %.2f\n", f / l);
    printf("list ratio, process start on both sides (start to shown list / plain program): %.2f\n", f / s);
}

}  // namespace
}  // namespace e2e
