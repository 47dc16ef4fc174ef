#include "support/BenchWorkbook.h"

#include "common/Clock.h"
#include "workbook/ConnectionString.h"
#include "workbook/Statement.h"

namespace bench {

OpenSheet::OpenSheet(const std::string& path, const std::string& table)
    : connection(common::CodePage(936), common::RegionalSettings{}, common::currentLocalYear)
{
    connection.setConnectionString(workbook::connectionStringFor(path));
    connection.setLoginPrompt(false);
    connection.open();
    query.setStatement(workbook::selectAllFrom(table));
    query.open();
}

std::size_t readEveryCellText(workbook::Query& query)
{
    const std::size_t fields = query.fields().size();
    std::size_t total = 0;
    for (query.first(); !query.eof(); query.next())
        for (std::size_t field = 0; field < fields; ++field)
            total += query.cellText(field).size();
    return total;
}

std::string mappingName(std::size_t i)
{
    return "m" + std::to_string(i);
}

std::size_t mappedField(std::size_t i, std::size_t fieldCount)
{
    return 1 + i % (fieldCount - 1);
}

BenchHost benchHost(const workbook::Query& query, std::size_t count)
{
    BenchHost host;
    for (std::size_t i = 0; i < count; ++i)
        host.mappings.push_back(query.fields()[mappedField(i, query.fields().size())].name + "<->" +
                                mappingName(i));
    return host;
}

} // namespace bench
