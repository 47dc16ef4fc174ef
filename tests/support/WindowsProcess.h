// Windows only: another process that holds a file open for writing while a
// test looks at what the file layer makes of it.
#pragma once

#include <memory>
#include <string>

namespace testing_support {

class FileHolder {
  public:
    // Starts tarnvale-test-holder (beside the test program) on `path` and
    // returns once it holds the file.
    explicit FileHolder(const std::string& path);
    // Lets it close the file and waits until it has ended.
    ~FileHolder();
    FileHolder(const FileHolder&) = delete;
    FileHolder& operator=(const FileHolder&) = delete;

    bool holds() const { return m_holds; }
    // The holder's process id: a process that still runs.
    unsigned long processId() const;

  private:
    struct Process;
    std::unique_ptr<Process> m_process;
    bool m_holds = false;
};

} // namespace testing_support
