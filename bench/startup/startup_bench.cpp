// Start-up time: from CreateProcess until the program shows a visible
// top-level window and WaitForInputIdle reports its thread idle. The
// programs are launched in turn, the order rotating from run to run, so
// that drifts in the machine's speed (caches, a busy neighbour) fall on all
// alike.
//
//   startup_bench <runs per program> <program A> <program B> [more...]
//
// Prints every run, then the median of each and the ratio of A's median to
// each other's.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindVisibleWindow(HWND hwnd, LPARAM param) {
    Search& search = *reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == search.processId && IsWindowVisible(hwnd)) {
        search.found = hwnd;
        return FALSE;
    }
    return TRUE;
}

double Seconds(LONGLONG ticks) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

// One launch; the time in milliseconds, or a negative value on failure.
double LaunchOnce(const char* program) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    char commandLine[MAX_PATH + 2];
    wsprintfA(commandLine, "\"%s\"", program);

    LARGE_INTEGER start, shown;
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(program, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        std::fprintf(stderr, "cannot start %s (error %lu)\n", program, GetLastError());
        return -1;
    }
    Search search = {process.dwProcessId, nullptr};
    const DWORD deadline = GetTickCount() + 60000;
    while (search.found == nullptr && GetTickCount() < deadline) {
        EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr) {
            if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) break;  // died before showing
        }
    }
    double elapsed = -1;
    if (search.found != nullptr && WaitForInputIdle(process.hProcess, 60000) == 0) {
        QueryPerformanceCounter(&shown);
        elapsed = 1000.0 * Seconds(shown.QuadPart - start.QuadPart);
    } else {
        std::fprintf(stderr, "%s showed no window or never went idle\n", program);
    }
    if (search.found != nullptr) PostMessageA(search.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "%s did not end after WM_CLOSE\n", program);
        TerminateProcess(process.hProcess, 1);
        elapsed = -1;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return elapsed;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 != 0 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

const char* BaseName(const char* path) {
    const char* base = path;
    for (const char* p = path; *p != '\0'; ++p)
        if (*p == '\\' || *p == '/') base = p + 1;
    return base;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: startup_bench <runs> <program A> <program B> [more...]\n");
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    const std::vector<const char*> programs(argv + 2, argv + argc);
    const int count = static_cast<int>(programs.size());
    std::vector<std::vector<double>> times(programs.size());

    // One unmeasured launch each: the first start of a program pays for
    // loading its libraries from disk into the cache.
    for (const char* program : programs)
        if (LaunchOnce(program) < 0) return 1;

    for (int run = 0; run < runs; ++run) {
        for (int which = 0; which < count; ++which) {
            // Rotate which goes first, so none always follows the same one.
            const int index = (run + which) % count;
            const double ms = LaunchOnce(programs[index]);
            if (ms < 0) return 1;
            times[index].push_back(ms);
            std::printf("run %2d  %-16s %9.1f ms\n", run + 1, BaseName(programs[index]), ms);
        }
    }
    for (int i = 0; i < count; ++i)
        std::printf("startup_median_ms %s %.1f\n", BaseName(programs[i]), Median(times[i]));
    for (int i = 1; i < count; ++i)
        std::printf("startup_ratio %s %.3f\n", BaseName(programs[i]), Median(times[0]) / Median(times[i]));
    return 0;
}
