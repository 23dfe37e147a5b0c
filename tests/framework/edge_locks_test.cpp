// Edge locks: where the controls go when the window's size changes. The rectangles and locks are
// those of the main window's controls, at its design size 692 x 559 and its minimum 515 x 389.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/controls.hpp"
#include "framework/property_string.hpp"
#include "model_test_support.hpp"

namespace {

using framework::Rect;
using model_test::TestWindow;

struct Placed {
  const char* name;
  Rect design;
  const char* locks;  // of "LTRB"
};

// A selection of the main window's controls: the four lock patterns it uses, and each row.
const Placed kControls[] = {
    {"Rectangle1", {20, 17, 396, 356}, "LTRB"},    {"cOrbit", {20, 17, 396, 356}, "LTRB"},
    {"Rectangle2", {431, 17, 241, 356}, "TRB"},    {"cPath", {431, 17, 241, 356}, "TRB"},
    {"slEccentricity", {20, 382, 396, 23}, "LRB"}, {"pQuit", {20, 519, 80, 20}, "LB"},
    {"pSourceCode1", {309, 519, 80, 20}, "LB"},    {"pStop", {411, 519, 80, 20}, "RB"},
    {"pKomaokuri", {500, 519, 80, 20}, "RB"},      {"pGo", {592, 519, 80, 20}, "RB"},
    {"lSpeedLabel", {431, 413, 57, 20}, "RB"},     {"lSaiki", {431, 437, 57, 20}, "RB"},
    {"cDrawCircle", {431, 460, 241, 20}, "RB"},    {"lEmin", {243, 413, 156, 20}, "LB"},
};

std::string ControlString(const Placed& placed) {
  const std::string locks = placed.locks;
  return framework::PropertyStringWriter()
      .String("Name", placed.name)
      .Int32("Left", placed.design.left)
      .Int32("Top", placed.design.top)
      .Int32("Width", placed.design.width)
      .Int32("Height", placed.design.height)
      .Boolean("LockLeft", locks.find('L') != std::string::npos)
      .Boolean("LockTop", locks.find('T') != std::string::npos)
      .Boolean("LockRight", locks.find('R') != std::string::npos)
      .Boolean("LockBottom", locks.find('B') != std::string::npos)
      .Bytes();
}

class EdgeLocks : public model_test::ShownWindowTest {
 protected:
  std::string WindowProperties() const override {
    return model_test::WindowString(692, 559, true, "Quillorn", 515, 389);
  }
  void CreateControls(TestWindow& w) override {
    // Canvases among them, as in the main window; the class changes nothing about the locks.
    for (const Placed& placed : kControls) {
      if (placed.name[0] == 'c') {
        model_test::AddControl<framework::Canvas>(w, placed.name, ControlString(placed));
      } else {
        model_test::AddControl<framework::Label>(w, placed.name, ControlString(placed));
      }
    }
  }

  Rect At(const char* name) const {
    return framework::RuntimeCheckCast<framework::RectControl>(window->ControlByName(name)).Bounds();
  }
};

TEST_F(EdgeLocks, MinimumSizeGivesTheMainWindowsFigures) {
  window->Resize(515, 389);
  struct Row {
    const char* name;
    Rect expected;
  };
  const Row rows[] = {
      {"cOrbit", {20, 17, 219, 186}},         {"Rectangle1", {20, 17, 219, 186}},
      {"cPath", {254, 17, 241, 186}},         {"Rectangle2", {254, 17, 241, 186}},
      {"slEccentricity", {20, 212, 219, 23}}, {"pQuit", {20, 349, 80, 20}},
      {"pSourceCode1", {309, 349, 80, 20}},   {"pStop", {234, 349, 80, 20}},
      {"pKomaokuri", {323, 349, 80, 20}},     {"pGo", {415, 349, 80, 20}},
      {"lSpeedLabel", {254, 243, 57, 20}},    {"lSaiki", {254, 267, 57, 20}},
      {"cDrawCircle", {254, 290, 241, 20}},   {"lEmin", {243, 243, 156, 20}},
  };
  for (const Row& row : rows) EXPECT_EQ(At(row.name), row.expected) << row.name;
  EXPECT_EQ(log, (std::vector<std::string>{"Resizing"}));
}

TEST_F(EdgeLocks, DesignSizeAndEveryWidthBetweenKeepTheLayoutWithoutDrift) {
  for (const Placed& placed : kControls) EXPECT_EQ(At(placed.name), placed.design) << placed.name;
  for (std::int32_t width = 515; width <= 900; width += 17) {
    window->Resize(width, 389 + (width - 515) / 2);
    const Rect orbit = At("cOrbit");
    const Rect path = At("cPath");
    EXPECT_EQ(path.left - (orbit.left + orbit.width), 15) << width;
    EXPECT_EQ(path.left + path.width, width - 20) << width;
    EXPECT_EQ(At("pQuit").left, 20) << width;
  }
  window->Resize(692, 559);
  for (const Placed& placed : kControls) EXPECT_EQ(At(placed.name), placed.design) << placed.name;
}

TEST_F(EdgeLocks, ResizeKeepsWithinTheLimitsAndRaisesOnlyOnARealChange) {
  window->Resize(100, 50);
  EXPECT_EQ(window->Width(), 515);
  EXPECT_EQ(window->Height(), 389);
  window->Resize(515, 389);
  window->Resize(40000, 40000);
  EXPECT_EQ(window->Width(), 32000);
  EXPECT_EQ(window->Height(), 32000);
  EXPECT_EQ(At("pGo"), (Rect{592 + 32000 - 692, 519 + 32000 - 559, 80, 20}));
  EXPECT_EQ(log, (std::vector<std::string>{"Resizing", "Resizing"}));

  // A window the user cannot resize ignores the attempt.
  window->SetProperty("Resizeable", false);
  window->Resize(600, 500);
  EXPECT_EQ(window->Width(), 32000);
}

TEST_F(EdgeLocks, AControlMovedByCodeIsPlacedFromWhereCodePutIt) {
  window->Resize(515, 389);
  auto& stop = framework::RuntimeCheckCast<framework::RectControl>(window->ControlByName("pStop"));
  stop.SetLeft(100);
  window->Resize(692, 559);
  EXPECT_EQ(stop.Left(), 277);
  EXPECT_EQ(stop.DesignBounds(), (Rect{277, 519, 80, 20}));
}

TEST_F(EdgeLocks, StretchingNeverMakesAControlSmallerThanEmpty) {
  window->SetProperty("MinWidth", std::int32_t{0});
  window->Resize(0, 389);
  EXPECT_EQ(At("cOrbit").width, 0);
  window->Resize(692, 559);
  EXPECT_EQ(At("cOrbit"), (Rect{20, 17, 396, 356}));
}

}  // namespace
