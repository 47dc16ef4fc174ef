// Small helpers shared by every test program: a fresh temporary folder per test,
// whole-file byte access, the message of a failing action.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace testing_support {

// A new, empty folder under the system's temporary folder; removed (with
// everything in it) when the object goes away. Restores write permission on
// the way out so that tests may leave read-only files behind.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    // path() / name, as a byte string, with "/" in `name` written as the
    // system's separator. `name` may hold the code page's bytes (GBK), which
    // std::filesystem's paths do not keep on Windows: use byte strings for
    // such names, as readBytes and writeBytes do.
    std::string file(const std::string& name) const;

  private:
    std::filesystem::path m_path;
};

// By the byte-string name (the C library's fopen: the ANSI code page on Windows).
std::string readBytes(const std::string& path);
// How many entries `folder` holds (to see that no temporary file was left behind).
std::size_t entryCount(const std::filesystem::path& folder);
void writeBytes(const std::string& path, const std::string& bytes);

// The folder with the committed fixtures (tests/data).
std::string dataPath(const std::string& name);

// `path` with every "/" written as the system's separator ("\" on Windows).
std::string nativePath(std::string path);

// What errorOf gives for an action that throws nothing.
inline constexpr const char* kNoError = "(no error)";
// The message of the common::Error that `action` throws, or kNoError.
std::string errorOf(const std::function<void()>& action);
// The I/O code of the common::Error that `action` throws; 0 when it throws none.
int ioCodeOf(const std::function<void()>& action);

} // namespace testing_support
