#include "model/clip_item.h"

#include "model/collation.h"
#include "model/type_names.h"
#include "model/value_text.h"

namespace tallowin {
namespace {

bool HasBits(int mask, int bits) { return (mask & bits) == bits; }

}  // namespace

void CClipItem::LoadFromItem(const VariableEntry& entry, int mask) {
  if (mask & CI_NAME) Name = entry.Name;
  if (mask & CI_TYPE) {
    TypeName = std::u16string(entry.TypeName());
    UpdateTypeIndex();
  }
  if (mask & CI_DATA) Data = std::u16string(entry.Data());
  if (HasBits(mask, CI_TYPE | CI_DATA)) {
    Stored = entry.Stored;
  } else if (mask & (CI_TYPE | CI_DATA)) {
    Stored.reset();
  }
  IsSet = true;
}

void CClipItem::SetValues(std::u16string_view name, std::u16string_view typeName, std::u16string_view data,
                          int mask) {
  if (mask & CI_NAME) Name = std::u16string(name);
  if (mask & CI_TYPE) {
    TypeName = std::u16string(typeName);
    UpdateTypeIndex();
  }
  if (mask & CI_DATA) Data = std::u16string(data);
  if (mask & (CI_TYPE | CI_DATA)) Stored.reset();
  IsSet = true;
}

void CClipItem::SetReadValue(std::u16string name, RegistryValue value) {
  // The type code is known, so the type name needs no lookup: a code of the
  // table is its own index, any other code has no name and looks up to 12.
  const std::uint32_t code = value.TypeCode;
  TypeIndex = code < kTypeNames.size() ? static_cast<int>(code) : kUnknownTypeIndex;
  TypeName = std::u16string(TypeNameOf(code));
  Data = DataTextOf(value);
  Name = std::move(name);
  Stored = StoredValue{std::move(value), TypeName, Data};
  IsSet = true;
}

bool CClipItem::StoreToItem(EditList& list, int index, int mask) const {
  if (!IsSet) return false;
  if (mask & CI_NAME) index = list.SetName(index, Name);
  const auto storeSubItem = [&](std::size_t subItem, const std::u16string& text) {
    if (list.At(index).SubItems.size() > subItem) {
      list.SetSubItem(index, subItem, text);
    } else {
      list.AppendSubItem(index, text);
    }
  };
  if (mask & CI_TYPE) storeSubItem(0, TypeName);
  if (mask & CI_DATA) storeSubItem(1, Data);
  // A buffer read from a key or a file brings what it was read with; one
  // filled from the fields leaves the row's own, so that the row writes the
  // bytes it was read with exactly while it shows those texts again.
  if (HasBits(mask, CI_TYPE | CI_DATA) && Stored) list.SetStored(index, Stored);
  return true;
}

int CClipItem::UpdateTypeIndex() {
  TypeIndex = TypeIndexOf(TypeName);
  return TypeIndex;
}

int CClipItem::CheckPlacement(const EditList& list, int mask) {
  const int selected = list.Selected();
  if ((mask & CI_PATH_GUARD) && selected >= 0 && NamesEqual(list.At(selected).Name, u"Path")) return CI_PATH_GUARD;

  int result = 0;
  if (mask & CI_NAME) {
    // Names compare as the registry compares them: two rows whose names
    // differ only in case would be one value, and Save would lose the other.
    // Only the first entry of an equal name counts.
    for (int i = 0; i < list.Count(); ++i) {
      if (!SameRegistryName(list.At(i).Name, Name)) continue;
      result = (mask & CI_REPLACE) && i == selected ? CI_REPLACE : CI_NAME;
      break;
    }
  }
  if (mask & CI_TYPE) {
    const int code = UpdateTypeIndex();
    if (code != kRegSz && code != kRegExpandSz) result += CI_TYPE;
  }
  return result;
}

}  // namespace tallowin
