#include "faults/fault_figure.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string_view>

namespace tallowin::testing {
namespace {

constexpr std::string_view kOperations[] = {"Export", "Backup", "AutoBackup", "Import", "Load",
                                            "Save",   "Cut",    "Copy",       "Paste",  "Move"};

std::string Utf8(std::u16string_view text) {
  std::u16string flat;
  for (const char16_t unit : text) {
    if (unit == u'\r') continue;
    if (unit == u'\n') {
      flat += u" / ";
    } else {
      flat.push_back(unit);
    }
  }
  while (flat.size() >= 3 && flat.ends_with(u" / ")) flat.resize(flat.size() - 3);
  const auto* wide = reinterpret_cast<const wchar_t*>(flat.c_str());
  const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, wide, static_cast<int>(flat.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(std::max(bytes, 0)), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide, static_cast<int>(flat.size()), utf8.data(), bytes, nullptr, nullptr);
  return utf8;
}

std::string Padded(std::string text, std::size_t width) {
  text.resize(std::max(text.size(), width), ' ');
  return text;
}

bool AllRight(const FaultTry& row) { return row.MessageRight && row.DataKept && row.GoesOn; }

// Writes the figure when the suite ends, and a placeholder when it starts,
// so that a suite that never got to the end does not leave an old figure.
class FigureWriter : public ::testing::Environment {
 public:
  void SetUp() override { Write("The fault suite did not finish.\n"); }
  void TearDown() override {
    const std::string figure = FaultFigure::Get().Render();
    std::fwrite(figure.data(), 1, figure.size(), stdout);
    std::fflush(stdout);
    Write(figure);
  }

 private:
  static void Write(const std::string& text) {
    if (std::FILE* file = std::fopen("fault-figure.txt", "wb")) {
      std::fwrite(text.data(), 1, text.size(), file);
      std::fclose(file);
    }
  }
};

[[maybe_unused]] ::testing::Environment* const figureWriter = ::testing::AddGlobalTestEnvironment(new FigureWriter);

}  // namespace

FaultFigure& FaultFigure::Get() {
  static FaultFigure figure;
  return figure;
}

std::string FaultFigure::Render() const {
  std::vector<std::string> faults;
  for (const FaultTry& row : rows_) {
    if (std::find(faults.begin(), faults.end(), row.Fault) == faults.end()) faults.push_back(row.Fault);
  }
  std::size_t faultWidth = 6;
  for (const std::string& fault : faults) faultWidth = std::max(faultWidth, fault.size() + 2);

  std::ostringstream out;
  out << "\nFaults survived: each cell is tries that went right (message, data kept, next command) / tries\n";
  out << Padded("fault", faultWidth);
  for (const std::string_view operation : kOperations) out << Padded(std::string(operation), 11);
  out << '\n';
  for (const std::string& fault : faults) {
    out << Padded(fault, faultWidth);
    for (const std::string_view operation : kOperations) {
      int tried = 0;
      int right = 0;
      for (const FaultTry& row : rows_) {
        if (row.Fault != fault || row.Operation != operation) continue;
        ++tried;
        right += AllRight(row) ? 1 : 0;
      }
      out << Padded(tried == 0 ? "." : std::to_string(right) + "/" + std::to_string(tried), 11);
    }
    out << '\n';
  }
  const auto count = [this](bool FaultTry::*field, bool wanted) {
    return std::count_if(rows_.begin(), rows_.end(), [&](const FaultTry& row) { return row.*field == wanted; });
  };
  out << "tried " << rows_.size() << ", messages right " << count(&FaultTry::MessageRight, true) << ", data lost "
      << count(&FaultTry::DataKept, false) << " (goal 0), next command worked " << count(&FaultTry::GoesOn, true)
      << '\n';
  for (const std::string& note : notes_) out << note << '\n';
  out << '\n';
  for (const FaultTry& row : rows_) {
    out << (AllRight(row) ? "  ok    " : "  FAIL  ") << row.Fault << " / " << row.Operation;
    if (!row.MessageRight) out << " [message wrong]";
    if (!row.DataKept) out << " [data lost]";
    if (!row.GoesOn) out << " [next command failed]";
    out << ": " << (row.Shown.empty() ? "(no message)" : Utf8(row.Shown)) << '\n';
  }
  return out.str();
}

}  // namespace tallowin::testing
