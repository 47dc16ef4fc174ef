// Helpers of the import tests: record bytes by hand, and a way to meet
// permission checks when the tests run as root (as CI machines do).
#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace import_test {

inline std::string bytes(std::initializer_list<unsigned char> list)
{
    return std::string(list.begin(), list.end());
}

// The record of the worked example: 2008-01-15, 12.5.
inline const std::string kExampleRecord = bytes({0x80, 0xF7, 0x8B, 0x47, 0x00, 0x00, 0x48, 0x41});

// Root ignores permission bits. While this object lives, a root process acts
// as "nobody", so that a read-only file is read-only for it too; `folder`
// (the test's temporary folder) is opened up so that nobody can reach it.
class Unprivileged {
  public:
    explicit Unprivileged(const std::filesystem::path& folder)
    {
        if (::geteuid() != 0)
            return;
        ::chmod(folder.c_str(), 0777);
        m_switched = ::seteuid(kNobody) == 0;
    }
    ~Unprivileged()
    {
        if (m_switched)
            (void)::seteuid(0);
    }
    Unprivileged(const Unprivileged&) = delete;
    Unprivileged& operator=(const Unprivileged&) = delete;

  private:
    static constexpr uid_t kNobody = 65534;
    bool m_switched = false;
};

} // namespace import_test
