#include "core/settings/component.h"

#include <gtest/gtest.h>

#include "core/settings/event_handler.h"
#include "settings_fake_control.h"

namespace vendral {
namespace {

using testing::FakeControl;

TEST(ComponentTest, PropertiesAreFoundIgnoringAsciiCase) {
  FakeControl c("C");
  c.WithOrdinal("ItemIndex", PropertyKind::kInteger, 3).WithText("Text", "t");
  ASSERT_NE(c.FindProperty("itemindex"), nullptr);
  EXPECT_EQ(c.FindProperty("ITEMINDEX")->name, "ItemIndex");
  EXPECT_EQ(c.ReadOrdinal("itemINDEX"), 3);
  EXPECT_EQ(c.FindProperty("Item"), nullptr);
  EXPECT_THROW(c.ReadText("Missing"), Failure);
  EXPECT_THROW(c.ReadOrdinal("Text"), Failure);
  EXPECT_THROW(c.WriteText("ItemIndex", "1"), Failure);
}

TEST(ComponentTest, FamiliesIncludeTheirDerivedClasses) {
  FakeControl combo("C", ClassFamily::kComboBox), rich("R", ClassFamily::kRichEdit);
  EXPECT_TRUE(combo.IsA(ClassFamily::kComboBox));
  EXPECT_TRUE(combo.IsA(ClassFamily::kCustomEdit));
  EXPECT_FALSE(combo.IsA(ClassFamily::kCustomLookupCombo));
  EXPECT_TRUE(rich.IsA(ClassFamily::kRichEdit));
  EXPECT_FALSE(rich.IsA(ClassFamily::kMemo));
}

struct Target {
  void A(Component*) {}
  void B(Component*) {}
};

TEST(EventHandlerTest, SameMethodOfTheSameObjectOnly) {
  Target one, two;
  EXPECT_TRUE(EventHandler::Bind<&Target::A>(one).IsSameAs(EventHandler::Bind<&Target::A>(one)));
  EXPECT_FALSE(EventHandler::Bind<&Target::A>(one).IsSameAs(EventHandler::Bind<&Target::B>(one)));
  EXPECT_FALSE(EventHandler::Bind<&Target::A>(one).IsSameAs(EventHandler::Bind<&Target::A>(two)));
  EventHandler unbound([](Component*) {});
  EXPECT_FALSE(unbound.IsSameAs(unbound));
  EXPECT_FALSE(EventHandler().IsSameAs(EventHandler()));
}

}  // namespace
}  // namespace vendral
