#include "model/registry_names.h"

#include <gtest/gtest.h>

#include <string>

namespace tallowin {
namespace {

// The index finds a name again under any spelling the registry takes for
// it, and tells apart names of one shape (letters folded, every other unit
// alike) that the registry keeps apart.
TEST(RegistryNameIndex, FindsNamesAsTheRegistryDoes) {
  const struct {
    std::u16string_view Held, Sought;
    bool Found;
  } cases[] = {
      {u"zeta_home", u"ZETA_HOME", true},
      {u"abcdefghijklmnopqrstuvwxyz", u"ABCDEFGHIJKLMNOPQRSTUVWXYZ", true},
      {u"Path", u"PATH", true},
      {u"Path", u"Paths", false},
      {u"A_B", u"A-B", false},
      {u"\u00e9", u"\u00e8", false},  // é, è
      {u"名前", u"名字", false},
      {u"", u"", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(std::u16string(c.Held)) + " / " +
                 ::testing::PrintToString(std::u16string(c.Sought)));
    RegistryNameIndex index;
    index.Insert(c.Held, 7);
    EXPECT_EQ(index.Find(c.Sought), c.Found ? std::optional<std::size_t>(7) : std::nullopt);
    // A second name is held beside the first only when it is another value.
    EXPECT_EQ(index.Insert(c.Sought, 8), c.Found ? 7u : 8u);
    EXPECT_EQ(index.Find(c.Held), 7u);
  }
}

}  // namespace
}  // namespace tallowin
