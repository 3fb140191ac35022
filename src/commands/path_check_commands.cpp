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
  return PlanPathCheck(model.PathList, model.SysList, model.UserList, programVariable);
}

void RemovePathItems(MainModel& model, const std::vector<std::size_t>& indices) {
  std::vector<bool> removed(model.PathList.size(), false);
  bool any = false;
  for (const std::size_t index : indices) {
    if (index < removed.size()) removed[index] = any = true;
  }
  if (!any) return;
  RunAsOneStep(model, [&] {
    std::vector<std::u16string> kept;
    int current = -1;
    for (std::size_t i = 0; i < removed.size(); ++i) {
      if (removed[i]) continue;
      if (current < 0 && static_cast<int>(i) >= model.PathIndex) current = static_cast<int>(kept.size());
      kept.push_back(std::move(model.PathList[i]));
    }
    if (current < 0) current = static_cast<int>(kept.size()) - 1;
    model.PathList = std::move(kept);
    model.PathIndex = current;
    model.RefreshPathView();
  });
}

}  // namespace tallowin
