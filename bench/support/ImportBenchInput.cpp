#include "support/ImportBenchInput.h"

#include "import/CustomDataRecord.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace bench {
namespace {

namespace fs = std::filesystem;

constexpr int kDailyFiles = 20;
constexpr int kStocks = 5000;
constexpr int kBackfillFiles = 250;
constexpr int kBackfillStocks = 10;
constexpr int kBackfillDays = 200;

// Half Shanghai, half Shenzhen, as the conversion normalises them.
std::string stockCode(int index)
{
    char code[16];
    if (index % 2 == 0)
        std::snprintf(code, sizeof code, "SH%06d", 600000 + index / 2);
    else
        std::snprintf(code, sizeof code, "SZ%06d", 1 + index / 2);
    return code;
}

// Consecutive calendar days from 2020-01-01, good enough for dated lines.
std::string dayText(int day)
{
    static const int kMonthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int year = 2020 + day / 365;
    int rest = day % 365;
    int month = 0;
    while (rest >= kMonthDays[month])
        rest -= kMonthDays[month++];
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month + 1, rest + 1);
    return text;
}

std::string valueText(int stock, int day)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", 5.0 + (stock * 7 + day * 13) % 4000 / 100.0);
    return text;
}

void writeFile(const fs::path& path, const std::string& text)
{
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

void addLine(std::string& text, int stock, int day)
{
    text += stockCode(stock) + '\t' + dayText(day) + '\t' + valueText(stock, day) + "\r\n";
}

} // namespace

ImportInput prepareImportInput(const std::string& folder)
{
    ImportInput input;
    const fs::path root = fs::path(folder) / "input";
    const bool present = fs::exists(root / "complete");
    for (int file = 0; file < kDailyFiles; ++file) {
        fs::path path = root / "daily" / dayText(file) / "PE.txt";
        std::string text;
        for (int stock = 0; stock < kStocks && !present; ++stock)
            addLine(text, stock, file);
        if (!present)
            writeFile(path, text);
        input.dailyFiles.push_back(path.string());
    }
    for (int file = 0; file < kBackfillFiles; ++file) {
        fs::path path = root / "backfill" / std::to_string(file) / "CLOSE.txt";
        std::string text;
        for (int stock = 0; stock < kBackfillStocks && !present; ++stock)
            for (int day = 0; day < kBackfillDays; ++day)
                addLine(text, file * kBackfillStocks + stock, day);
        if (!present)
            writeFile(path, text);
        input.backfillFiles.push_back(path.string());
    }
    if (!present)
        writeFile(root / "complete", "");
    input.dailyLines = static_cast<std::size_t>(kDailyFiles) * kStocks;
    input.backfillLines = static_cast<std::size_t>(kBackfillFiles) * kBackfillStocks * kBackfillDays;
    return input;
}

// The new days come after the history, which ends the day before.
constexpr int kFirstNewDay = 1000;

std::vector<std::vector<std::string>> prepareNewDays(const std::string& folder, int sets, int daysPerSet)
{
    const fs::path root = fs::path(folder) / "input" / "newdays";
    const bool present = fs::exists(root / "complete");
    std::vector<std::vector<std::string>> result(static_cast<std::size_t>(sets));
    for (int set = 0; set < sets; ++set) {
        for (int i = 0; i < daysPerSet; ++i) {
            const int day = kFirstNewDay + set * daysPerSet + i;
            const fs::path path = root / dayText(day) / "PE.txt";
            if (!present) {
                std::string text;
                for (int stock = 0; stock < kStocks; ++stock)
                    addLine(text, stock, day);
                writeFile(path, text);
            }
            result[static_cast<std::size_t>(set)].push_back(path.string());
        }
    }
    if (!present)
        writeFile(root / "complete", "");
    return result;
}

void writeHistory(const std::string& folder, int days)
{
    const fs::path data = fs::path(folder) / "PE";
    fs::create_directories(data);
    // 2020-01-01 is 18262 days after 1970-01-01; dayText counts 365-day years,
    // which is close enough for times that only need to differ.
    constexpr std::int32_t kFirstSeconds = 18262 * 86400;
    for (int stock = 0; stock < kStocks; ++stock) {
        std::string bytes;
        for (int day = kFirstNewDay - days; day < kFirstNewDay; ++day) {
            const importer::RecordBytes record = importer::encodeRecord({kFirstSeconds + day * 86400, 1.0f});
            bytes.append(reinterpret_cast<const char*>(record.data()), record.size());
        }
        std::ofstream out(data / (stockCode(stock) + ".adt"), std::ios::binary | std::ios::trunc);
        out << bytes;
    }
}

} // namespace bench
