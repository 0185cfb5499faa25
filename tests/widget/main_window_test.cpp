// The main window as the user meets it: layout, tab order, editing, the spin bars.
#include <QLabel>
#include <QListWidget>

#include "widget/main_window_fixture.h"

namespace gyrenda::testing {
namespace {

TEST_F(MainWindowTest, ControlsSitWhereTheLayoutPutsThemAndBoxZeroLeadsTheTabOrder) {
  EXPECT_EQ(child("execute")->geometry(), QRect(704, 16, 97, 25));  // 15 twips make a pixel
  EXPECT_EQ(child("canvas")->geometry(), QRect(16, 224, 769, 449));
  EXPECT_EQ(QApplication::focusWidget(), box(0));
  for (int i = 0; i + 1 < kParamCount; ++i) EXPECT_EQ(box(i)->nextInFocusChain(), box(i + 1)) << i;
  EXPECT_EQ(box(kParamCount - 1)->nextInFocusChain(), child("execute"));
  // The one-row speed list shows its selected item whole, and scrolls no further than the last.
  auto* list = child<QListWidget>("speedList");
  const QRect shown = list->visualItemRect(list->currentItem());
  EXPECT_EQ(std::pair(shown.top(), shown.height()), std::pair(0, list->viewport()->height()));
  list->verticalScrollBar()->setValue(list->verticalScrollBar()->maximum());
  EXPECT_EQ(list->visualItemRect(list->item(2)).top(), 0);
}

// Every control that takes the focus when clicked ends the edit of the box it takes it from;
// the window losing its activation does not.
TEST_F(MainWindowTest, LeavingAnEditedBoxByAClickRepairsItAndShowsTheRange) {
  for (const char* name : {"box4", "optimiseFourBar", "slideStartOption", "spinBar5",
                           "panHorizontal", "canvas", "speedList", "zoomIn"}) {
    typeInto(3, "１０");
    click(QString::fromLatin1(name));
    EXPECT_EQ(box(3)->text().toStdString() + " " + std::to_string(spinBar(3)->value()) + " " +
                  child<QLabel>("fixedLinkCaption")->text().toStdString(),
              "19 19 静止節(19～53)") << name;
  }
  typeInto(3, "40");
  QWidget other;
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  EXPECT_EQ(bench().linkage()[fixedLinkLength], 19.0f);
}

// The upper arrow and the wheel turned up raise the value; either runs the whole pass.
TEST_F(MainWindowTest, SpinBarArrowsAndWheelStepUpwardsAtTheTopAndRunTheWholePass) {
  const std::tuple<int, int, int, const char*> cases[] = {  // box, where (+1 wheel up), value
      {3, 3, 32, "静止節(19～53)"}, {0, 3, 19, "静止節(20～52)"}, {1, 14, 35, "静止節(21～51)"},
      {2, +1, 37, "静止節(22～52)"}};
  for (const auto& [i, y, value, caption] : cases) {
    QWheelEvent up({8, 8}, {}, {}, {0, 120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                   false);
    if (y == +1) QApplication::sendEvent(spinBar(i), &up);
    else QTest::mouseClick(spinBar(i), Qt::LeftButton, {}, QPoint(8, y));
    EXPECT_EQ(std::tuple(bench().linkage().parameters[i], box(i)->text().toStdString(),
                         child<QLabel>("fixedLinkCaption")->text().toStdString()),
              std::tuple(static_cast<float>(value), std::to_string(value), caption));
  }
}

// Every control that takes the keyboard focus shows it, on itself or around it, however it got
// the focus: an arrow key never changes a value unseen, nor Enter presses a button unseen.
TEST_F(MainWindowTest, EveryControlThatTakesTheFocusShowsIt) {
  QWidget* client = window->centralWidget();
  for (QWidget* w : client->findChildren<QWidget*>()) {
    if (w->focusPolicy() == Qt::NoFocus || !w->isEnabled() || !w->isVisibleTo(window.get()))
      continue;
    const QRect around(w->mapTo(client, QPoint(-3, -3)), w->size() + QSize(6, 6));
    QApplication::focusWidget()->clearFocus();
    const QImage unfocused = client->grab(around).toImage();
    w->setFocus(Qt::OtherFocusReason);
    EXPECT_NE(client->grab(around).toImage(), unfocused) << w->objectName().toStdString();
  }
}

}  // namespace
}  // namespace gyrenda::testing
