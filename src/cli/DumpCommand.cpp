#include "cli/ImportCommand.h"

#include "cli/RunSummary.h"
#include "common/ErrorWhere.h"
#include "common/FileRead.h"
#include "common/FloatText.h"
#include "import/RecordTimeText.h"

#include <ostream>
#include <string_view>

namespace cli {
namespace {

// Prints every whole record of the file; the bytes of an incomplete one at
// its end are reported, not printed. Gives the number of negative times.
std::size_t dumpFile(const std::string& path, importer::TimeReading reading, CliContext& context)
{
    const common::FileBytes bytes = common::attempt(std::string(), 0, common::ErrorWhere::Action::Open, path,
                                                    [&] { return common::readWholeFile(path); });
    const std::string_view records = bytes.view();
    std::string text;
    std::size_t negative = 0;
    std::size_t offset = 0;
    for (; offset + importer::kRecordSize <= records.size(); offset += importer::kRecordSize) {
        const auto record =
            importer::decodeRecord(reinterpret_cast<const unsigned char*>(records.data() + offset));
        text += dumpLine(record.time, record.value, reading);
        text += '\n';
        negative += record.time < 0 ? 1 : 0;
    }
    context.out << text;
    if (const std::size_t kept = records.size() - offset; kept != 0)
        context.err << "dump: " << path << ": " << kept << " trailing byte(s) do not make a whole record\n";
    return negative;
}

} // namespace

std::string dumpLine(std::int32_t time, float value, importer::TimeReading reading)
{
    const std::int64_t seconds = importer::recordSeconds(time, reading);
    return std::to_string(seconds) + '\t' + importer::secondsText(seconds) + '\t' +
           common::shortestFloatText(value);
}

int runDumpCommand(const std::vector<std::string>& files, importer::TimeReading reading, CliContext& context)
{
    std::size_t negative = 0;
    for (const std::string& path : files)
        negative += dumpFile(path, reading, context);
    context.err << negativeTimesNote("dump", negative, reading == importer::TimeReading::Unsigned);
    return kExitDone;
}

} // namespace cli
