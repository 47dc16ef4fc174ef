// The one exception type of the system. Its text is exactly the message the
// user sees (before the error box's full-stop rule is applied).
#pragma once

#include <memory>
#include <stdexcept>
#include <string>

namespace common {

struct ErrorWhere; // common/ErrorWhere.h

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

    // Where the failing step was (the input and its line, what was done to
    // which file), when the code that raised or passed on the error knew;
    // nullptr otherwise. The message stays the same either way: the window
    // shows the message alone, the command line puts this in front of it.
    const ErrorWhere* where() const { return m_where.get(); }
    // Fills in the parts of where the error happened that the steps nearer
    // to it left open (ErrorWhere.cpp).
    void setWhere(const ErrorWhere& where);

  private:
    Kind m_kind;
    int m_ioCode;
    std::string m_systemText;
    std::shared_ptr<const ErrorWhere> m_where; // shared: exceptions are copied
};

} // namespace common
