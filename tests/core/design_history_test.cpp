// 元に戻す and やり直し over whole designs: which edits are steps, what undo and redo put back,
// and what they leave alone.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "test_support.h"

namespace gyrenda {
namespace {

using test::leaveBox;
using test::OpenWindow;

// Each edit is one step: undo brings back the design before it, redo the one after it, and
// a new edit after an undo leaves nothing to redo.
TEST(DesignHistory, EachEditIsOneStepThatUndoAndRedoCross) {
  const ParameterSet candidate{15, 38, 41.5f, 33.25f, -12, 9, 45, 60, -10, 10, 60, 140, 70};
  const std::pair<const char*, std::function<void(Workbench&)>> cases[] = {
      {"typed", [](Workbench& b) { leaveBox(b, couplerLength, "45"); }},
      {"repaired", [](Workbench& b) { leaveBox(b, crankRadius, "100"); }},
      {"shown otherwise", [](Workbench& b) { leaveBox(b, crankRadius, "0.4"); }},
      {"spin bar", [](Workbench& b) { b.setSpinBar(fixedLinkLength, 40); }},
      {"point entry, two boxes",
       [](Workbench& b) { b.controls().slidePointOption = 1, b.movePointer(150, -80), b.enterPoint(); }},
      {"load", [](Workbench& b) { ASSERT_EQ(b.loadDesignFile(GYRENDA_TEST_DATA_DIR "/load_other_design.GYR"), ""); }},
      {"applied", [&](Workbench& b) { b.applyParameters(candidate); }},
  };
  // The parameters, and the boxes and bars as the passes left them.
  const auto shown = [](const Workbench& b) {
    std::string all;
    for (int k = 0; k < kParamCount; ++k)
      all += std::to_string(b.linkage().parameters[k]) + " '" + b.controls().boxText[k] + "' " +
             std::to_string(b.controls().spinValue[k]) + ", ";
    return all;
  };
  for (const auto& [edit, act] : cases) {
    SCOPED_TRACE(edit);
    OpenWindow w;
    Workbench& b = w.bench;
    const std::string before = shown(b);
    act(b);
    const std::string after = shown(b);
    ASSERT_NE(after, before);
    EXPECT_TRUE(b.controls().canUndo && !b.controls().canRedo);
    b.undo();
    EXPECT_EQ(shown(b), before);
    EXPECT_TRUE(!b.controls().canUndo && b.controls().canRedo);
    b.redo();
    EXPECT_EQ(shown(b), after);
    EXPECT_EQ(b.controls().fixedLinkCaption, b.linkage().fixedLinkRange);
    EXPECT_EQ(b.linkage().tables.crankTipX, makeLinkage(b.linkage().parameters).tables.crankTipX);
    b.undo();
    leaveBox(b, sixLinkLength, "55");
    EXPECT_TRUE(b.controls().canUndo && !b.controls().canRedo);
    b.undo();
    EXPECT_EQ(shown(b), before);
  }
}

// Undo runs no analysis unless すぐに描画する is ticked; applying a design analyses it once.
// During a run nothing moves the design, and undo and redo are off meanwhile.
TEST(DesignHistory, UndoAnalysesOnlyWhereEveryEditDoesAndNeverDuringARun) {
  for (const CheckState immediate : {0, 1}) {
    OpenWindow w;
    Workbench& b = w.bench;
    leaveBox(b, couplerLength, "45");
    b.controls().drawImmediately = immediate;
    const int yields = w.platform.yields;
    b.undo();
    EXPECT_EQ(w.platform.yields > yields, immediate == 1) << immediate;
    EXPECT_EQ(b.controls().drawImmediately, immediate);
    int before = w.platform.yields;
    b.applyParameters(b.history().current().parameters);
    const int applied = w.platform.yields - before;
    before = w.platform.yields;
    b.execute();
    EXPECT_EQ(applied, w.platform.yields - before) << "one analysis";
    EXPECT_TRUE(b.history().canRedo()) << "the design in place applied is no step";
    const ParameterSet now = b.linkage().parameters;
    bool flagsOff = true;
    w.platform.onYield = [&] {
      flagsOff = flagsOff && !b.controls().canUndo && !b.controls().canRedo;
      b.redo(), b.applyParameters(ParameterSet{});
    };
    b.execute();
    EXPECT_TRUE(flagsOff && b.controls().canRedo);
    EXPECT_EQ(b.linkage().parameters, now);
  }
}

// Undo and redo show the paths of a design that was analysed to the end while it was in place,
// by analysing it again, and only of such a design: one whose analysis 停止 cut short, or that
// was never analysed, comes back as its construction.
TEST(DesignHistory, UndoAndRedoShowThePathsOfADesignThatWasAnalysed) {
  for (const bool stopped : {false, true}) {
    OpenWindow w;
    Workbench& b = w.bench;
    if (stopped) w.platform.onYield = [&] { b.stop(); };
    b.execute();
    w.platform.onYield = nullptr;
    leaveBox(b, couplerLength, "45");
    int before = w.platform.yields;
    b.undo();
    EXPECT_EQ(w.platform.yields > before, !stopped) << stopped;
    EXPECT_EQ(test::posesIn(b.result().outputX) > 100, !stopped) << stopped;
    before = w.platform.yields;
    b.redo();
    EXPECT_EQ(w.platform.yields, before) << "45 was never analysed";
  }
}

TEST(DesignHistory, KeepsTheNearestStepsUpToItsDepth) {
  DesignHistory h;
  const int steps = static_cast<int>(DesignHistory::kDepth) + 5;
  for (int n = 1; n <= steps; ++n) h.record({ParameterSet{static_cast<float>(n)}, {}, {}});
  int undone = 0;
  while (h.undo()) ++undone;
  EXPECT_EQ(undone, static_cast<int>(DesignHistory::kDepth));
  EXPECT_EQ(h.current().parameters[0], static_cast<float>(steps - DesignHistory::kDepth));
}

}  // namespace
}  // namespace gyrenda
