// The data module: it loads the list, becomes DM, hands the list to users
// that asked before it existed, and tells them when the list goes away.
#include <gtest/gtest.h>

#include <QPointer>
#include <QVariant>
#include <memory>
#include <vector>

#include "ui/DataModule.h"

namespace marnova {
namespace {

TEST(DataModule, CreatingItLoadsTheNineListsAndSetsDM) {
  ASSERT_EQ(DM, nullptr);
  {
    TDM module;
    EXPECT_EQ(DM, &module);
    EXPECT_TRUE(module.Loaded());
    ASSERT_NE(module.ImageList(), nullptr);
    EXPECT_EQ(module.ImageList()->Count(), 9);
    EXPECT_EQ(module.ImageList()->objectName(), "ImageList");
    EXPECT_EQ(module.property("ImageList").value<TLMDImageList*>(), module.ImageList());
  }
  EXPECT_EQ(DM, nullptr);
}

TEST(DataModule, ReferencesMadeBeforeItExistsAreFilledInWhenItIsCreated) {
  ASSERT_EQ(DM, nullptr);
  std::vector<std::pair<const char*, TLMDImageList*>> bound;
  auto record = [&bound](const char* who) {
    return [&bound, who](TLMDImageList* list) { bound.emplace_back(who, list); };
  };
  QObject window;
  auto early = std::make_unique<QObject>();  // destroyed before DM appears
  WhenImageListReady(&window, record("window"));
  WhenImageListReady(early.get(), record("early"));
  WhenImageListReady(nullptr, record("unowned"));
  // A bind that registers another user while the binds are resolved.
  WhenImageListReady(&window,
                     [&](TLMDImageList*) { WhenImageListReady(&window, record("nested")); });
  early.reset();
  EXPECT_TRUE(bound.empty());

  TDM module;
  const std::vector<std::pair<const char*, TLMDImageList*>> expected = {
      {"window", module.ImageList()},
      {"unowned", module.ImageList()},
      {"nested", module.ImageList()}};
  EXPECT_EQ(bound, expected);

  // Once DM exists a reference is filled in at once, and only once.
  bound.clear();
  WhenImageListReady(&window, record("later"));
  EXPECT_EQ(bound.size(), 1u);
}

TEST(DataModule, UsersLearnWhenTheListGoesAway) {
  auto module = std::make_unique<TDM>();
  QPointer<TLMDImageList> held;
  bool told = false;
  QObject widget;
  WhenImageListReady(&widget, [&](TLMDImageList* list) {
    held = list;
    QObject::connect(list, &QObject::destroyed, &widget, [&told] { told = true; });
  });
  ASSERT_FALSE(held.isNull());
  module.reset();
  EXPECT_TRUE(told);
  EXPECT_TRUE(held.isNull());
  EXPECT_EQ(DM, nullptr);
}

}  // namespace
}  // namespace marnova
