// The one exception type of the system. Its text is exactly the message the
// user sees (before the error box's full-stop rule is applied).
#pragma once

#include <stdexcept>
#include <string>

namespace common {

class Error : public std::runtime_error {
  public:
    enum class Kind {
        General, // data-layer errors, file-create/open errors, overflow, ...
        Io,      // an I/O error with a code (see IoError.h)
        Abort,   // a silent abort: the error box shows nothing
    };

    explicit Error(const std::string& message, Kind kind = Kind::General, int ioCode = 0,
                   std::string systemText = {})
        : std::runtime_error(message), m_kind(kind), m_ioCode(ioCode), m_systemText(std::move(systemText))
    {
    }

    Kind kind() const { return m_kind; }
    // The I/O error code (Windows numbering) for Kind::Io, 0 otherwise.
    int ioCode() const { return m_ioCode; }
    // For an I/O error raised by a failing system call, the system's own
    // words for it ("No such file or directory"), for the messages that
    // quote them; empty otherwise.
    const std::string& systemText() const { return m_systemText; }

  private:
    Kind m_kind;
    int m_ioCode;
    std::string m_systemText;
};

} // namespace common
