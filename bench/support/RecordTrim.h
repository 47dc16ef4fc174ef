// Keeps the import benchmarks' record folders bounded between invocations.
#pragma once

#include <string>

namespace bench {

// Every import run appends, so record files grow from one invocation to the
// next. Empties the large ones below `folder` without deleting any: creating
// files right after many were deleted is far slower on this platform, and
// would slow the runs that follow.
void trimRecordFiles(const std::string& folder);

} // namespace bench
