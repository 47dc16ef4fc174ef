// Where a failing step was: which input and which of its lines were being
// worked on, and what was being done to which file. A run fills it in as an
// error passes on its way out, the step nearest to the failure first; the
// error's message stays as it was. A front end that says where an error
// happened (the command line) puts describeError's text in front of its
// name; the window shows the message alone.
#pragma once

#include "common/Error.h"

#include <cstddef>
#include <string>

namespace common {

struct ErrorWhere {
    enum class Action {
        None,        // only the input and its line are known
        Open,        // "cannot open"
        Read,        // "cannot read"
        Append,      // "cannot append to"
        Write,       // "cannot write"
        Close,       // "cannot close"
        MakeFolder,  // "cannot make folder"
        EnterFolder, // "cannot enter folder"
    };
    std::string input;    // the file being read; empty when none
    std::size_t line = 0; // its line, counted from 1; 0 when none
    Action action = Action::None;
    std::string target; // the file or folder acted on
};

// "cannot append to" and so on; empty for None.
const char* actionText(ErrorWhere::Action action);

// The error with where it happened in front:
//   [input[:line]: ][action target: ]message
// An I/O error that carries the system's words gives "words (message)", so
// that both the system's text and the tool's own stay:
//   in.txt:3: cannot append to cd/PE/SH600000.adt: No space left on device (I/O error 112)
// The target is left out when there is none (the input itself: "in.txt:5:
// cannot read: ..."), and the action with it when the message names the
// target already ("Cannot create file "..."").
std::string describeError(const Error& error);

// Runs `step`; a common::Error it throws leaves with the parts of where it
// happened that nothing nearer filled in. The arguments are references,
// copied only when an error passes, so that a step taken for every record
// costs nothing more.
template <typename Step>
decltype(auto) attempt(const std::string& input, std::size_t line, ErrorWhere::Action action,
                       const std::string& target, Step&& step)
{
    try {
        return step();
    } catch (Error& error) {
        error.setWhere({input, line, action, target});
        throw;
    }
}

} // namespace common
