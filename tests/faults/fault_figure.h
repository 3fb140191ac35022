#pragma once

#include <string>
#include <vector>

// The fault suite's tally: for every fault made to happen and every command
// run into it, whether the user was told the right thing, whether anything
// was lost and whether the next command worked. Printed as one figure
// (faults down, operations across) when the suite ends, and written to
// fault-figure.txt in the working folder for the test script to show.
namespace tallowin::testing {

struct FaultTry {
  std::string Fault;
  std::string Operation;
  bool MessageRight = false;
  bool DataKept = false;
  bool GoesOn = false;
  // What the user saw, one message per line, for the listing under the figure.
  std::u16string Shown;
};

class FaultFigure {
 public:
  static FaultFigure& Get();

  void Add(FaultTry row) { rows_.push_back(std::move(row)); }
  // A remark printed under the figure (how a fault was made).
  void Note(std::string line) { notes_.push_back(std::move(line)); }

  std::string Render() const;

 private:
  std::vector<FaultTry> rows_;
  std::vector<std::string> notes_;
};

}  // namespace tallowin::testing
