#include "xls/WorkbookGlobals.h"

#include "common/Error.h"
#include "common/FormatMessage.h"
#include "common/LittleEndian.h"
#include "table/DateFormat.h"
#include "xls/BiffRecords.h"
#include "xls/BiffText.h"
#include "xls/ReadMessages.h"

#include <algorithm>
#include <map>

namespace xls {

namespace {

[[noreturn]] void damaged(const std::string& detail)
{
    throw common::Error(common::formatMessage(kReasonBadRecord, {detail}));
}

void requireSize(const Record& record, std::size_t size)
{
    if (record.data.size() < size)
        damaged(describeRecord(record.type, record.offset) + " is too short");
}

struct GlobalsReader {
    WorkbookGlobals globals;
    TextDecoder& decoder;
    std::string_view stream;
    std::map<std::uint16_t, std::u16string> formats;
    std::vector<std::uint16_t> xfFormats;

    void boundSheet(const Record& record)
    {
        requireSize(record, 7);
        SheetEntry sheet;
        sheet.offset = common::readU32(record.data, 0);
        sheet.hidden = (common::byteAt(record.data, 4) & 0x03) != 0;
        sheet.isWorksheet = common::byteAt(record.data, 5) == 0;
        std::size_t pos = 6;
        sheet.name = globals.biffVersion == 8
                         ? readUnicodeString(record.data, pos, 1, decoder, "a sheet name")
                         : readByteString(record.data, pos, 1, decoder, "a sheet name");
        globals.sheets.push_back(std::move(sheet));
    }

    void format(const Record& record)
    {
        requireSize(record, 3);
        std::size_t pos = 2;
        if (globals.biffVersion == 8) {
            formats[common::readU16(record.data, 0)] =
                readUnicodeCharacters(record.data, pos, 2, "a number format");
        } else {
            const std::size_t count = common::byteAt(record.data, 2);
            requireSize(record, 3 + count);
            formats[common::readU16(record.data, 0)] = decoder.bytesToUtf16(record.data.substr(3, count));
        }
    }

    void sharedStrings(const Record& record)
    {
        requireSize(record, 8);
        const std::uint32_t unique = common::readU32(record.data, 4);
        ContinuedReader reader(stream, record);
        reader.skip(8);
        // The counts come from the file: reserve only what its bytes could hold.
        globals.sharedStrings.reserve(std::min<std::size_t>(unique, reader.remaining() / 3));
        for (std::uint32_t i = 0; i < unique && reader.remaining() > 0; ++i) {
            const std::uint16_t count = reader.u16();
            const std::uint8_t flags = reader.u8();
            const std::uint16_t runs = (flags & 0x08) ? reader.u16() : 0;
            const std::uint32_t phonetic = (flags & 0x04) ? reader.u32() : 0;
            const std::u16string text = reader.characters(count, (flags & 0x01) != 0);
            reader.skip(4 * static_cast<std::size_t>(runs));
            reader.skip(phonetic);
            globals.sharedStrings.push_back(decoder.fromUtf16(text));
        }
    }

    void finish()
    {
        globals.xfIsDate.reserve(xfFormats.size());
        for (std::uint16_t index : xfFormats) {
            const auto it = formats.find(index);
            globals.xfIsDate.push_back(it != formats.end() ? table::isDateFormatCode(it->second)
                                                           : table::isBuiltInDateFormat(index));
        }
    }

    bool handle(const Record& record)
    {
        switch (record.type) {
        case biff::kEof:
            return false;
        case biff::kFilePass:
            throw common::Error(kReasonEncrypted);
        case biff::kCodePage:
            requireSize(record, 2);
            decoder.setSourceCodePage(common::readU16(record.data, 0));
            break;
        case biff::kDateMode:
            requireSize(record, 2);
            globals.dateMode1904 = common::readU16(record.data, 0) == 1;
            break;
        case biff::kBoundSheet:
            boundSheet(record);
            break;
        case biff::kFormat:
            format(record);
            break;
        case biff::kXf:
            requireSize(record, 4);
            xfFormats.push_back(common::readU16(record.data, 2));
            break;
        case biff::kSst:
            sharedStrings(record);
            break;
        default:
            break;
        }
        return true;
    }
};

} // namespace

int biffVersionOf(std::uint16_t recordType, std::string_view bofData)
{
    if (recordType == biff::kBofBiff2 || recordType == biff::kBofBiff3 || recordType == biff::kBofBiff4)
        throw common::Error(kReasonOldFormat);
    if (recordType != biff::kBof || bofData.size() < 4)
        damaged("it does not begin with a BOF record");
    const std::uint16_t version = common::readU16(bofData, 0);
    if (version == biff::kVersionBiff8)
        return 8;
    if (version == biff::kVersionBiff5)
        return 5;
    if (version < biff::kVersionBiff5)
        throw common::Error(kReasonOldFormat);
    return 8;
}

WorkbookGlobals readGlobals(std::string_view stream, TextDecoder& decoder)
{
    GlobalsReader reader{{}, decoder, stream, {}, {}};
    RecordStream records(stream);
    Record record;
    if (!records.next(record))
        damaged("it is empty");
    reader.globals.biffVersion = biffVersionOf(record.type, record.data);
    if (common::readU16(record.data, 2) != biff::kSubstreamGlobals)
        damaged("it does not begin with the workbook globals");
    while (records.next(record) && reader.handle(record)) {
    }
    reader.finish();
    return std::move(reader.globals);
}

} // namespace xls
