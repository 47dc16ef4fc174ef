// Each XML reader of .xlsx fed any bytes: the first byte picks the part
// (relationships, workbook, its relationships, styles, shared strings,
// worksheet), the rest replaces it in a small valid package, which is then
// read as a workbook and every cell text taken. The reader must give tables
// or throw common::Error, never crash, hang or run out of memory.
#include "common/Error.h"
#include "xlsx/Workbook.h"
#include "zip/ZipWriter.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr std::string_view kRelationships =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr std::string_view kPackage = "http://schemas.openxmlformats.org/package/2006/relationships";

struct Part {
    const char* name;
    std::string xml;
};

std::array<Part, 6> baseParts()
{
    const std::string r = std::string(kRelationships) + "/";
    return {{
        {"_rels/.rels", "<Relationships xmlns=\"" + std::string(kPackage) +
                            "\"><Relationship Id=\"rId1\" Type=\"" + r +
                            "officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
        {"xl/workbook.xml", "<workbook xmlns=\"" + std::string(kMain) + "\" xmlns:r=\"" +
                                std::string(kRelationships) +
                                "\"><workbookPr date1904=\"1\"/><sheets><sheet name=\"S\" sheetId=\"1\" "
                                "r:id=\"rId1\"/></sheets></workbook>"},
        {"xl/_rels/workbook.xml.rels",
         "<Relationships xmlns=\"" + std::string(kPackage) + "\"><Relationship Id=\"rId1\" Type=\"" + r +
             "worksheet\" Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" Type=\"" + r +
             "styles\" Target=\"styles.xml\"/><Relationship Id=\"rId3\" Type=\"" + r +
             "sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>"},
        {"xl/styles.xml",
         "<styleSheet xmlns=\"" + std::string(kMain) +
             "\"><numFmts><numFmt numFmtId=\"164\" formatCode=\"yyyy-mm-dd\"/></numFmts><cellXfs>"
             "<xf numFmtId=\"0\"/><xf numFmtId=\"164\"/><xf numFmtId=\"22\"/></cellXfs></styleSheet>"},
        {"xl/sharedStrings.xml",
         "<sst xmlns=\"" + std::string(kMain) +
             "\"><si><t>Code</t></si><si><r><t>a</t></r><rPh><t>b</t></rPh></si></sst>"},
        {"xl/worksheets/sheet1.xml",
         "<worksheet xmlns=\"" + std::string(kMain) +
             "\"><dimension ref=\"A1:C2\"/><sheetData><row r=\"1\"><c r=\"A1\" "
             "t=\"s\"><v>0</v></c></row><row><c "
             "s=\"1\"><v>45000</v></c><c t=\"inlineStr\"><is><t>x</t></is></c><c t=\"b\"><v>1</v></c></row>"
             "</sheetData></worksheet>"},
    }};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    std::array<Part, 6> parts = baseParts();
    parts[data[0] % parts.size()].xml.assign(reinterpret_cast<const char*>(data + 1), size - 1);
    zip::Writer writer;
    for (const Part& part : parts) {
        zip::Entry entry;
        entry.name = part.name;
        writer.add(entry, part.xml);
    }
    const std::string package = writer.finish();
    const common::CodePage codePage(936);
    const common::RegionalSettings settings;
    try {
        const auto book = xlsx::Workbook::read(package, codePage, settings);
        // A sheet may span 1048576 x 16384 cells however few hold values;
        // reading a bounded number of them per input keeps the runs fast.
        constexpr std::size_t kCellsToRead = 200000;
        std::size_t total = 0;
        std::size_t read = 0;
        for (const xlsx::Sheet& sheet : book->sheets()) {
            const table::Table& table = *sheet.table;
            for (std::size_t row = 0; row < table.rowCount() && read < kCellsToRead; ++row)
                for (std::size_t field = 0; field < table.fieldCount() && read < kCellsToRead;
                     ++field, ++read)
                    total += table.cellText(row, field, settings).size();
        }
        if (total == static_cast<std::size_t>(-1))
            __builtin_trap(); // keeps the reads from being optimised away
    } catch (const common::Error&) {
    }
    return 0;
}
