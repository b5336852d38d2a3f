#include "conio/platform/windows/win32_timing.hpp"

#include <windows.h>

#include <algorithm>

namespace platform {
namespace {

// Not in mingw-w64 10's headers: the flag CreateWaitableTimerExW takes for a timer that
// fires to the system's finest resolution. Older systems refuse it, which is the test.
#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

// Windows 11 may ignore timeBeginPeriod for a process whose windows are occluded or
// minimised; the control bit with its state bit clear asks for the request to be kept.
// SetProcessInformation is looked up at run time, as Windows 7 has none.
void keepTimerResolution() {
    using SetInformation = BOOL(WINAPI*)(HANDLE, PROCESS_INFORMATION_CLASS, LPVOID, DWORD);
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    if (kernel == nullptr) return;
    const auto set = reinterpret_cast<SetInformation>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "SetProcessInformation")));
    if (set == nullptr) return;
    PROCESS_POWER_THROTTLING_STATE state{};
    state.Version = PROCESS_POWER_THROTTLING_CURRENT_VERSION;
    state.ControlMask = PROCESS_POWER_THROTTLING_IGNORE_TIMER_RESOLUTION;
    state.StateMask = 0;
    set(GetCurrentProcess(), ProcessPowerThrottling, &state, sizeof state);  // failure: as before
}

}  // namespace

TimerResolution::TimerResolution() {
    keepTimerResolution();
    timeBeginPeriod(1);
}

TimerResolution::~TimerResolution() { timeEndPeriod(1); }

PreciseTimer::PreciseTimer()
    : timer_(CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS)) {}

PreciseTimer::~PreciseTimer() {
    if (timer_ != nullptr) CloseHandle(timer_);
}

bool PreciseTimer::waitUntil(void* handle, std::chrono::steady_clock::time_point end) {
    using namespace std::chrono;
    const auto left = end - steady_clock::now();
    if (left <= steady_clock::duration::zero()) return WaitForSingleObject(handle, 0) == WAIT_OBJECT_0;
    if (timer_ != nullptr) {
        // A relative due time, in 100 ns units, negative.
        LARGE_INTEGER due;
        due.QuadPart = -std::max<LONGLONG>(1, duration_cast<nanoseconds>(left).count() / 100);
        if (SetWaitableTimer(timer_, &due, 0, nullptr, nullptr, FALSE) != FALSE) {
            HANDLE both[2] = {handle, timer_};
            const DWORD woke = WaitForMultipleObjects(2, both, FALSE, INFINITE);
            if (woke != WAIT_OBJECT_0 + 1) CancelWaitableTimer(timer_);
            return woke == WAIT_OBJECT_0;
        }
    }
    // Whole milliseconds, rounded up so the wait never ends early.
    const auto ms = duration_cast<milliseconds>(left + microseconds(999)).count();
    return WaitForSingleObject(handle, static_cast<DWORD>(ms)) == WAIT_OBJECT_0;
}

}  // namespace platform
