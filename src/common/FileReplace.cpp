#include "common/FileReplace.h"

#include "common/Error.h"
#include "common/FileRead.h"

#include <charconv>
#include <cstdint>
#include <cstdio>

namespace common::detail {

namespace {

constexpr std::string_view kTemporaryPrefix = ".tarnvale-";
constexpr std::string_view kTemporarySuffix = ".tmp";

// The part of a temporary's name that stands for its target (FNV-1a).
std::string targetTag(std::string_view targetName)
{
    std::uint32_t hash = 2166136261u;
    for (const char c : targetName)
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    char text[9];
    std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(hash));
    return std::string(kTemporaryPrefix) + text + "-";
}

} // namespace

std::optional<ReplaceFailure> checkReadBack(std::string_view back, std::string_view bytes,
                                            const ReplaceOptions& options)
{
    using Step = ReplaceFailure::Step;
    if (back != bytes)
        return ReplaceFailure{Step::Check, 0, "the bytes read back differ from the bytes written"};
    if (options.check) {
        if (std::optional<std::string> refused = options.check(back))
            return ReplaceFailure{Step::Check, 0, std::move(*refused)};
    }
    return std::nullopt;
}

std::optional<ReplaceFailure> readBackAndCheck(const std::string& temporary, std::string_view bytes,
                                               const ReplaceOptions& options)
{
    FileBytes back;
    try {
        back = readWholeFile(temporary);
    } catch (const Error& error) {
        return ReplaceFailure{ReplaceFailure::Step::Write, error.ioCode(), error.systemText()};
    }
    return checkReadBack(back.view(), bytes, options);
}

std::string temporaryName(std::string_view targetName, unsigned long processId, unsigned counter)
{
    return targetTag(targetName) + std::to_string(processId) + "-" + std::to_string(counter) +
           std::string(kTemporarySuffix);
}

std::optional<unsigned long> temporaryWriter(std::string_view entryName, std::string_view targetName)
{
    const std::string tag = targetTag(targetName);
    if (!entryName.starts_with(tag) || !entryName.ends_with(kTemporarySuffix))
        return std::nullopt;
    const std::string_view rest = entryName.substr(tag.size());
    unsigned long processId = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), processId);
    if (error != std::errc() || end == rest.data() + rest.size() || *end != '-')
        return std::nullopt;
    return processId;
}

} // namespace common::detail
