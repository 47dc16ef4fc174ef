#include "support/WindowsProcess.h"

#include "common/platform/WinApi.h"

namespace testing_support {

namespace {

std::string programFolder()
{
    char buffer[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    const std::string path(buffer, length);
    return path.substr(0, path.find_last_of('\\') + 1);
}

// Event names of their own: Wine hands out the same process ids run after run.
std::string uniqueName(const char* what)
{
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return std::string("tarnvale-test-") + what + "-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(now.QuadPart);
}

} // namespace

struct FileHolder::Process {
    HANDLE ready = nullptr;
    HANDLE stop = nullptr;
    PROCESS_INFORMATION info{};
};

FileHolder::FileHolder(const std::string& path) : m_process(std::make_unique<Process>())
{
    const std::string readyName = uniqueName("ready");
    const std::string stopName = uniqueName("stop");
    m_process->ready = CreateEventA(nullptr, TRUE, FALSE, readyName.c_str());
    m_process->stop = CreateEventA(nullptr, TRUE, FALSE, stopName.c_str());
    std::string command =
        "\"" + programFolder() + "tarnvale-test-holder.exe\" \"" + path + "\" " + readyName + " " + stopName;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &m_process->info))
        return;
    const HANDLE waitFor[] = {m_process->ready, m_process->info.hProcess};
    m_holds = WaitForMultipleObjects(2, waitFor, FALSE, 30000) == WAIT_OBJECT_0;
}

unsigned long FileHolder::processId() const
{
    return m_process->info.dwProcessId;
}

FileHolder::~FileHolder()
{
    SetEvent(m_process->stop);
    if (m_process->info.hProcess) {
        WaitForSingleObject(m_process->info.hProcess, 30000);
        CloseHandle(m_process->info.hProcess);
        CloseHandle(m_process->info.hThread);
    }
    CloseHandle(m_process->ready);
    CloseHandle(m_process->stop);
}

} // namespace testing_support
