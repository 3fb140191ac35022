#include "model/registry_names.h"

#include "model/collation.h"

namespace tallowin {
namespace {

// ASCII letters folded, every other unit alike: the registry folds case
// unit by unit, so names it takes for one value have one shape.
std::u16string ShapeOf(std::u16string_view name) {
  std::u16string shape(name);
  for (char16_t& unit : shape) {
    if (unit >= u'A' && unit <= u'Z') unit = static_cast<char16_t>(unit - u'A' + u'a');
    if (unit >= 0x80) unit = 0x80;
  }
  return shape;
}

}  // namespace

std::optional<std::size_t> RegistryNameIndex::Find(std::u16string_view name) const {
  auto [held, end] = byShape_.equal_range(ShapeOf(name));
  for (; held != end; ++held) {
    if (SameRegistryName(held->second.Name, name)) return held->second.Position;
  }
  return std::nullopt;
}

RegistryNameIndex IndexOfNames(const std::vector<NamedValue>& values) {
  RegistryNameIndex index;
  for (std::size_t i = 0; i < values.size(); ++i) index.Insert(values[i].Name, i);
  return index;
}

RegistryNameIndex IndexOfNames(const std::vector<std::u16string>& names) {
  RegistryNameIndex index;
  for (std::size_t i = 0; i < names.size(); ++i) index.Insert(names[i], i);
  return index;
}

std::size_t RegistryNameIndex::Insert(std::u16string_view name, std::size_t position) {
  if (const std::optional<std::size_t> held = Find(name)) return *held;
  byShape_.emplace(ShapeOf(name), Held{std::u16string(name), position});
  return position;
}

std::vector<std::u16string> NamesOf(const std::vector<NamedValue>& values) {
  std::vector<std::u16string> names;
  names.reserve(values.size());
  for (const NamedValue& value : values) names.push_back(value.Name);
  return names;
}

std::vector<std::u16string> NamesOf(const EditList& list) {
  std::vector<std::u16string> names;
  names.reserve(static_cast<std::size_t>(list.Count()));
  for (int i = 0; i < list.Count(); ++i) names.push_back(list.At(i).Name);
  return names;
}

std::vector<NamedValue> ValuesDifferingFrom(const std::vector<NamedValue>& toWrite,
                                            const std::vector<NamedValue>& held) {
  const RegistryNameIndex index = IndexOfNames(held);
  std::vector<NamedValue> differing;
  for (const NamedValue& value : toWrite) {
    const std::optional<std::size_t> at = index.Find(value.Name);
    if (!at || !(held[*at].Value == value.Value)) differing.push_back(value);
  }
  return differing;
}

bool IsSystemPath(KeyScope scope, std::u16string_view name) {
  return scope == KeyScope::System && SameRegistryName(name, u"Path");
}

}  // namespace tallowin
