// The BIFF record stream: each record is a 16-bit type, a 16-bit length and
// that many bytes. A record longer than the format's limit goes on in the
// CONTINUE records right after it; the reader keeps those with their record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace xls {

namespace biff {
constexpr std::uint16_t kFormula = 0x0006;
constexpr std::uint16_t kEof = 0x000A;
constexpr std::uint16_t kDateMode = 0x0022;
constexpr std::uint16_t kFilePass = 0x002F;
constexpr std::uint16_t kContinue = 0x003C;
constexpr std::uint16_t kCodePage = 0x0042;
constexpr std::uint16_t kBoundSheet = 0x0085;
constexpr std::uint16_t kMulRk = 0x00BD;
constexpr std::uint16_t kMulBlank = 0x00BE;
constexpr std::uint16_t kRString = 0x00D6;
constexpr std::uint16_t kXf = 0x00E0;
constexpr std::uint16_t kSst = 0x00FC;
constexpr std::uint16_t kLabelSst = 0x00FD;
constexpr std::uint16_t kDimension = 0x0200;
constexpr std::uint16_t kBlank = 0x0201;
constexpr std::uint16_t kNumber = 0x0203;
constexpr std::uint16_t kLabel = 0x0204;
constexpr std::uint16_t kBoolErr = 0x0205;
constexpr std::uint16_t kString = 0x0207;
constexpr std::uint16_t kArray = 0x0221;
constexpr std::uint16_t kTable = 0x0236;
constexpr std::uint16_t kRk = 0x027E;
constexpr std::uint16_t kFormat = 0x041E;
constexpr std::uint16_t kSharedFormula = 0x04BC;
constexpr std::uint16_t kBof = 0x0809;
// BOF records of the formats before BIFF5 (BIFF2, BIFF3, BIFF4).
constexpr std::uint16_t kBofBiff2 = 0x0009;
constexpr std::uint16_t kBofBiff3 = 0x0209;
constexpr std::uint16_t kBofBiff4 = 0x0409;
constexpr std::uint16_t kVersionBiff5 = 0x0500;
constexpr std::uint16_t kVersionBiff8 = 0x0600;
constexpr std::uint16_t kSubstreamGlobals = 0x0005;
constexpr std::uint16_t kSubstreamWorksheet = 0x0010;
constexpr std::size_t kRecordHeaderSize = 4;
} // namespace biff

struct Record {
    std::uint16_t type = 0;
    std::size_t offset = 0;       // of the record header in the stream
    std::string_view data;        // the record's own bytes, without its CONTINUEs
    std::size_t continuedEnd = 0; // stream offset after its last CONTINUE record
};

class RecordStream {
  public:
    // The stream must outlive the reader and every record it gives.
    explicit RecordStream(std::string_view stream, std::size_t start = 0);

    // The next record (with its CONTINUEs skipped over); false at the stream's
    // end. Throws common::Error when a record runs past the stream's end.
    bool next(Record& record);
    std::size_t position() const { return m_position; }
    std::string_view stream() const { return m_stream; }

  private:
    std::string_view m_stream;
    std::size_t m_position;
};

// Reads a record and its CONTINUEs as one sequence of bytes. Character data
// is special: where it is cut by a CONTINUE, the next piece starts with a
// flags byte that says again whether the characters are 8 or 16 bits wide.
// Every read throws common::Error past the last piece.
class ContinuedReader {
  public:
    ContinuedReader(std::string_view stream, const Record& record);

    std::uint8_t u8();
    std::uint16_t u16();
    std::uint32_t u32();
    void skip(std::size_t count);
    // `count` characters; 16-bit ones when `wide`, else 8-bit (Latin-1).
    std::u16string characters(std::size_t count, bool wide);
    // Bytes left in all pieces together.
    std::size_t remaining() const;

  private:
    bool nextPiece();
    [[noreturn]] void pastEnd() const;

    std::string_view m_stream;
    std::uint16_t m_type;
    std::string_view m_piece;
    std::size_t m_nextOffset; // stream offset of the next CONTINUE header
    std::size_t m_end;
};

// "record 0x00FC at offset 1234": for error texts.
std::string describeRecord(std::uint16_t type, std::size_t offset);

} // namespace xls
