#include "common/FileReplace.h"

#include "common/Error.h"
#include "common/FileRead.h"

namespace common::detail {

std::optional<ReplaceFailure> readBackAndCheck(const std::string& temporary, std::string_view bytes,
                                               const ReplaceOptions& options)
{
    using Step = ReplaceFailure::Step;
    FileBytes back;
    try {
        back = readWholeFile(temporary);
    } catch (const Error& error) {
        return ReplaceFailure{Step::Write, error.ioCode(), error.systemText()};
    }
    if (back.view() != bytes)
        return ReplaceFailure{Step::Check, 0, "the bytes read back differ from the bytes written"};
    if (options.check) {
        if (std::optional<std::string> refused = options.check(back.view()))
            return ReplaceFailure{Step::Check, 0, std::move(*refused)};
    }
    return std::nullopt;
}

} // namespace common::detail
