#include "workbook/FieldLookup.h"

#include "common/Error.h"
#include "common/FormatMessage.h"
#include "common/Text.h"
#include "workbook/WorkbookMessages.h"

#include <algorithm>

namespace workbook {

std::optional<std::size_t> findField(const std::vector<table::Field>& fields, std::string_view name,
                                     const common::CodePage& codePage)
{
    const auto exact =
        std::find_if(fields.begin(), fields.end(), [&](const table::Field& f) { return f.name == name; });
    if (exact != fields.end())
        return static_cast<std::size_t>(exact - fields.begin());
    const auto caseless = std::find_if(fields.begin(), fields.end(), [&](const table::Field& f) {
        return common::sameTextIgnoreCase(f.name, name, codePage);
    });
    if (caseless != fields.end())
        return static_cast<std::size_t>(caseless - fields.begin());
    return std::nullopt;
}

std::size_t fieldByName(const std::vector<table::Field>& fields, std::string_view name,
                        const common::CodePage& codePage, const std::string& queryName)
{
    if (const auto index = findField(fields, name, codePage))
        return *index;
    throw common::Error(queryName + ": " + common::formatMessage(kFieldNotFound, {name}));
}

} // namespace workbook
