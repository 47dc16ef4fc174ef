#include "support/TestSupport.h"

#include "common/Error.h"
#include "common/FileNames.h"

#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace fs = std::filesystem;

namespace testing_support {

TempDir::TempDir()
{
    // create_directory fails on a name that is taken, so a folder made here
    // is this object's alone.
    static std::mt19937_64 random{std::random_device{}()};
    const fs::path base = fs::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate = base / ("tarnvale-test-" + std::to_string(random() % 1000000000000));
        std::error_code ec;
        if (fs::create_directory(candidate, ec)) {
            m_path = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot make a temporary folder");
}

TempDir::~TempDir()
{
    std::error_code ec;
    for (auto it =
             fs::recursive_directory_iterator(m_path, fs::directory_options::skip_permission_denied, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(m_path, ec);
}

std::string TempDir::file(const std::string& name) const
{
    return m_path.string() + common::pathSeparator() + nativePath(name);
}

std::size_t entryCount(const fs::path& folder)
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

std::string dataPath(const std::string& name)
{
    return std::string(TARNVALE_TEST_DATA) + common::pathSeparator() + nativePath(name);
}

std::string nativePath(std::string path)
{
    for (char& c : path) {
        if (c == '/')
            c = common::pathSeparator();
    }
    return path;
}

std::string errorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const common::Error& error) {
        return error.what();
    }
    return kNoError;
}

int ioCodeOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const common::Error& error) {
        return error.ioCode();
    }
    return 0;
}

} // namespace testing_support
