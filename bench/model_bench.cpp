// Model benchmarks: one Path edit on a long Path, filling an edit list one
// entry at a time, the review of a Save that changes half of 10,000 values,
// and expanding values that refer to themselves and to each other many times
// over. Run: build/host/bench/tallowin_model_bench
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "model/edit_list.h"
#include "model/expansion.h"
#include "model/main_model.h"
#include "model/path_value.h"
#include "model/save_review.h"
#include "model/value_text.h"

namespace {

using tallowin::bench::Clock;
using tallowin::bench::Milliseconds;

std::u16string Ascii(const std::string& s) { return std::u16string(s.begin(), s.end()); }

// One Path edit as the Path tab does it: rebuild the item text with one item
// replaced, re-split it and refresh the view (which mirrors into the entry).
double PathEditMs(int items) {
  using namespace tallowin;
  MainModel model;
  std::u16string value;
  // 16 characters an item: 2,000 items make a value of about 64 KB.
  for (int i = 0; i < items; ++i) {
    char item[32];
    std::snprintf(item, sizeof item, "C:\\Tools\\t%04d\\;", i);
    value += Ascii(item);
  }
  const int row = model.SysList.Add(VariableEntry::FromTexts(u"Path", u"REG_EXPAND_SZ", value));
  model.LinkPathEntry(row);
  model.RefreshPathView();
  std::printf("Path value: %d items, %zu KB\n", items, value.size() * 2 / 1024);

  constexpr int kRounds = 200;
  const auto start = Clock::now();
  for (int round = 0; round < kRounds; ++round) {
    model.PathIndex = round % items;
    std::vector<std::u16string> lines = model.PathList;
    lines[static_cast<std::size_t>(model.PathIndex)] = Ascii("D:\\edited" + std::to_string(round) + ";");
    model.SetPathValue(JoinLines(lines));
    model.RefreshPathView();
  }
  return Milliseconds(Clock::now() - start) / kRounds;
}

double AddEntriesMs(int count) {
  using namespace tallowin;
  std::vector<std::u16string> names;
  for (int i = 0; i < count; ++i) names.push_back(Ascii("VAR_" + std::to_string(i * 7919 % 100003)));
  std::shuffle(names.begin(), names.end(), std::mt19937(12345));
  EditList list;
  const auto start = Clock::now();
  for (const auto& name : names) list.Add(VariableEntry::FromTexts(name, u"REG_SZ", u"C:\\some\\value"));
  const double ms = Milliseconds(Clock::now() - start);
  if (list.Count() != count) std::printf("unexpected count %d\n", list.Count());
  return ms;
}

// The differences the review lists when half of a key's values change.
double ReviewMs(int count) {
  using namespace tallowin;
  ReviewScope user;
  for (int i = 0; i < count; ++i) {
    const std::u16string name = Ascii("VAR_" + std::to_string(i * 7919 % 100003));
    user.Current.push_back({name, TextToValue(1, u"C:\\before")});
    user.ToWrite.push_back({name, TextToValue(1, i % 2 == 0 ? u"C:\\after" : u"C:\\before")});
    user.NamesAtLoad.push_back(name);
  }
  const auto start = Clock::now();
  const std::size_t rows = ReviewDifferences({}, user, {}).size();
  const double ms = Milliseconds(Clock::now() - start);
  if (rows != static_cast<std::size_t>(count / 2)) std::printf("unexpected review of %zu rows\n", rows);
  return ms;
}

// What a value becomes, the median of 21 runs: AA6 names itself six times,
// DOUBLE10 is the last of ten variables that each name the one before twice.
double ExpandMs(std::u16string_view name, std::size_t& length) {
  using namespace tallowin;
  EditList sysList;
  sysList.Add(VariableEntry::FromTexts(u"AA6", u"REG_EXPAND_SZ", u"%AA6%%AA6%%AA6%%AA6%%AA6%%AA6%"));
  sysList.Add(VariableEntry::FromTexts(u"DOUBLE0", u"REG_EXPAND_SZ", u"C:\\" + std::u16string(200, u'd')));
  for (int level = 1; level <= 10; ++level) {
    const std::u16string below = u"%DOUBLE" + Ascii(std::to_string(level - 1)) + u"%";
    sysList.Add(VariableEntry::FromTexts(u"DOUBLE" + Ascii(std::to_string(level)), u"REG_EXPAND_SZ", below + below));
  }
  const VariableEntry& entry = sysList.At(sysList.FindIgnoringCase(name));
  std::vector<double> samples;
  for (int run = 0; run < 21; ++run) {
    const auto start = Clock::now();
    length = ExpandValue(entry, sysList, EditList(), VariableLookup()).Text.size();
    samples.push_back(Milliseconds(Clock::now() - start));
  }
  return tallowin::bench::Median(samples);
}

}  // namespace

int main() {
  const double edit = PathEditMs(2000);
  std::printf("Path edit (rebuild + re-split + refresh), 2000 items: %.3f ms  (target < 1 ms)\n", edit);
  double best = 1e9;
  for (int run = 0; run < 5; ++run) best = std::min(best, AddEntriesMs(10000));
  std::printf("10,000 adds with distinct names in random order: %.1f ms, best of 5  (target < 50 ms)\n", best);
  std::printf("review of 10,000 values, 5,000 changed: %.1f ms  (target < 200 ms)\n", ReviewMs(10000));
  for (const char* name : {"AA6", "DOUBLE10"}) {
    std::size_t length = 0;
    const double ms = ExpandMs(Ascii(name), length);
    std::printf("expanding %s: %.3f ms, %zu characters  (target < 10 ms)\n", name, ms, length);
  }
  return 0;
}
