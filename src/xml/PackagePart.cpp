#include "xml/PackagePart.h"

#include "common/Error.h"
#include "common/FormatMessage.h"
#include "xml/XmlMessages.h"
#include "zip/EntryReader.h"

namespace xml {

const zip::Entry& partEntry(const zip::Archive& archive, std::string_view part)
{
    const zip::Entry* entry = archive.find(part);
    if (!entry)
        throw common::Error(common::formatMessage(kReasonMissingPart, {part}));
    return *entry;
}

void parsePart(const zip::Archive& archive, std::string_view part, Handler& handler, Names names)
{
    const zip::Entry& entry = partEntry(archive, part);
    zip::EntryReader reader(archive, entry);
    bool zipFailed = false;
    try {
        Parser parser(handler, names);
        parser.parse([&](char* buffer, std::size_t capacity) {
            try {
                return reader.read(buffer, capacity);
            } catch (const common::Error&) {
                zipFailed = true; // it names the part already
                throw;
            }
        });
    } catch (const common::Error& error) {
        if (zipFailed)
            throw;
        throw common::Error(common::formatMessage(kReasonBadPart, {part, error.what()}));
    }
}

} // namespace xml
