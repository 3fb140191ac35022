#include "commands/path_check_commands.h"

#include <string>
#include <utility>

#include "commands/command_step.h"
#include "commands/program_variable.h"

namespace tallowin {

PathCheckPlan PathCheckExecute(const MainModel& model, const CommandPorts& ports) {
  EnvironmentPort& environment = *ports.Environment;
  const VariableLookup programVariable = [&environment](std::u16string_view name) {
    return ProgramVariable(environment, name);
  };
  const int pathRow = model.PathEntryIndex();
  const std::u16string_view pathType = pathRow >= 0 ? model.SysList.At(pathRow).TypeName() : kTypeNames[kRegExpandSz];
  return PlanPathCheck(model.PathList, model.SysList, model.UserList, programVariable, pathType);
}

void RemovePathItems(MainModel& model, const PathCheckPlan& plan, const std::vector<std::size_t>& indices) {
  std::vector<bool> removed(plan.Items.size(), false);
  bool any = false;
  for (const std::size_t index : indices) {
    if (index < removed.size() && plan.Items[index].LastLine < model.PathList.size()) removed[index] = any = true;
  }
  if (!any) return;
  // Each line rebuilt from the items of it that stay, in their order; a
  // quoted run that spans lines gives each line its own part back.
  std::vector<std::u16string> lines(model.PathList.size());
  std::vector<bool> lineKept(model.PathList.size(), false);
  for (std::size_t i = 0; i < plan.Items.size(); ++i) {
    const CheckedPathItem& item = plan.Items[i];
    if (removed[i] || item.LastLine >= lines.size()) continue;
    std::size_t taken = 0;
    for (std::size_t line = item.Line; line <= item.LastLine; ++line) {
      const std::size_t start = line == item.Line ? item.Start : 0;
      const std::size_t length = line == item.LastLine ? item.Item.size() - taken
                                                       : model.PathList[line].size() - start;
      lines[line] += item.Item.substr(taken, length);
      lineKept[line] = true;
      taken += length;
    }
  }
  RunAsOneStep(model, [&] {
    std::vector<std::u16string> kept;
    int current = -1;
    for (std::size_t line = 0; line < lines.size(); ++line) {
      if (!lineKept[line]) continue;
      if (current < 0 && static_cast<int>(line) >= model.PathIndex) current = static_cast<int>(kept.size());
      kept.push_back(std::move(lines[line]));
    }
    if (current < 0) current = static_cast<int>(kept.size()) - 1;
    model.PathList = std::move(kept);
    model.PathIndex = current;
    model.RefreshPathView();
  });
}

}  // namespace tallowin
