// Registration-file benchmarks: writing (value lines, file lines, bytes) and
// reading (ParseFile) a file of 50,000 values, about 10 MB.
// Run: build/host/bench/regfile/tallowin_regfile_bench
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "model/type_names.h"
#include "model/value_text.h"
#include "regfile/reg_file.h"

namespace {

using namespace tallowin;
using namespace tallowin::regfile;
using Clock = std::chrono::steady_clock;

std::u16string Ascii(const std::string& s) { return std::u16string(s.begin(), s.end()); }

// Half quoted strings with backslashes to escape, half hex(2) values that
// wrap over several lines; a few Japanese names.
std::vector<ParsedValue> MakeValues(int count) {
  std::vector<ParsedValue> values;
  values.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    std::u16string name = Ascii("VARIABLE_" + std::to_string(i));
    if (i % 10 == 0) name += u"_環境変数";
    if (i % 2 == 0) {
      const std::string data = "C:\\Program Files\\Vendor " + std::to_string(i) + "\\Product\\bin;D:\\Tools\\" +
                               std::to_string(i * 7) + "\\x64;E:\\SDK\\include";
      values.push_back({name, TextToValue(kRegSz, Ascii(data))});
    } else {
      values.push_back({name, TextToValue(kRegExpandSz, Ascii("%ROOT%\\tool" + std::to_string(i) + ";"))});
    }
  }
  return values;
}

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

}  // namespace

int main() {
  constexpr int kValues = 50'000;
  constexpr int kRounds = 5;
  const std::vector<ParsedValue> values = MakeValues(kValues);
  const std::vector<ParsedValue> systemValues(values.begin(), values.begin() + kValues / 2);
  const std::vector<ParsedValue> userValues(values.begin() + kValues / 2, values.end());

  std::vector<std::uint8_t> file;
  double bestWrite = 1e9;
  for (int round = 0; round < kRounds; ++round) {
    const auto start = Clock::now();
    std::vector<std::u16string> systemLines, userLines;
    systemLines.reserve(systemValues.size());
    userLines.reserve(userValues.size());
    for (const auto& v : systemValues) systemLines.push_back(MakeValueLine(v.Name, v.Value));
    for (const auto& v : userValues) userLines.push_back(MakeValueLine(v.Name, v.Value));
    file = EncodeFile(MakeFileLines(systemLines, userLines));
    bestWrite = std::min(bestWrite, Seconds(Clock::now() - start));
  }

  double bestRead = 1e9;
  std::size_t readValues = 0;
  for (int round = 0; round < kRounds; ++round) {
    const auto start = Clock::now();
    const ParsedFile parsed = ParseFile(file.data(), file.size(), {});
    bestRead = std::min(bestRead, Seconds(Clock::now() - start));
    readValues = 0;
    for (const auto& section : parsed.Sections) readValues += section.Values.size();
  }

  const double megabytes = static_cast<double>(file.size()) / 1e6;
  std::printf("file: %d values, %.2f MB\n", kValues, megabytes);
  std::printf("write (MakeValueLine + MakeFileLines + EncodeFile): %.1f ms, %.0f MB/s, best of %d\n", bestWrite * 1e3,
              megabytes / bestWrite, kRounds);
  std::printf("read  (ParseFile): %.1f ms, %.0f MB/s, best of %d  (target >= 200 MB/s)\n", bestRead * 1e3,
              megabytes / bestRead, kRounds);
  if (readValues != static_cast<std::size_t>(kValues)) {
    std::printf("read back %zu values instead of %d\n", readValues, kValues);
    return 1;
  }
  return 0;
}
