// The main window as the user meets it: layout, focus, editing, the spin bars, the pointer
// readout and the assistant corner.
#include <QLabel>
#include <QMouseEvent>

#include "app/number_text.h"
#include "widget/main_window_fixture.h"

namespace gyrenda::testing {
namespace {

TEST_F(MainWindowTest, ControlsSitWhereTheLayoutPutsThemWithTheirCaptions) {
  const std::tuple<const char*, QRect, const char*> cases[] = {
      {"Command1", {704, 16, 97, 25}, "実行"},
      {"Picture1", {16, 224, 769, 449}, ""},
      {"Frame2", {288, 8, 265, 185}, "６節リンクパラメータ"},
      {"Label13", {8, 88, 177, 17}, "静止節長さ(0～0)"},
      {"parameter0", {192, 16, 57, 18}, "18"},
      {"VScroll2_9", {184, 88, 17, 17}, ""},
      {"Option1_1", {8, 112, 137, 17}, "ｽﾗｲﾄﾞ終点座標(X,Y)"},
  };
  for (const auto& [name, pixels, caption] : cases) {
    SCOPED_TRACE(name);
    QWidget* w = child(QString::fromLatin1(name));
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->geometry(), pixels);
    // A frame has a title, the others a text or none.
    EXPECT_EQ((w->property("title").toString() + w->property("text").toString()).toStdString(),
              caption);
  }
  EXPECT_EQ(window->windowTitle(), "GYRENDA");
  EXPECT_EQ(window->centralWidget()->size(), QSize(814, 683));
}

TEST_F(MainWindowTest, FocusStartsInBoxZeroAndTabsThroughTheBoxesToExecute) {
  EXPECT_EQ(QApplication::focusWidget(), box(0));
  for (int i = 0; i + 1 < kParamCount; ++i) EXPECT_EQ(box(i)->nextInFocusChain(), box(i + 1)) << i;
  EXPECT_EQ(box(kParamCount - 1)->nextInFocusChain(), child("Command1"));
}

// Every control that takes the focus when clicked ends the edit of the box it takes it from.
TEST_F(MainWindowTest, LeavingAnEditedBoxByAClickRepairsItAndShowsTheRange) {
  for (const char* name : {"parameter4", "Check2", "Option1_0", "VScroll2_5", "HScroll1",
                           "Picture1", "List3", "Command3"}) {
    SCOPED_TRACE(name);
    typeInto(3, "10");
    click(QString::fromLatin1(name));
    EXPECT_EQ(box(3)->text(), "19");
    EXPECT_EQ(spinBar(3)->value(), 19);
    EXPECT_EQ(child<QLabel>("Label13")->text(), "静止節(19～53)");
  }
}

TEST_F(MainWindowTest, ExecuteClickedFromAnEditedBoxRunsOnTheValidatedValue) {
  typeInto(3, "40");
  float seenByRun = 0;
  platform->onYield = [&](int yield) {
    if (yield == 1) seenByRun = form().paramValue[fixedLinkLength];
  };
  click("Command1");
  EXPECT_EQ(seenByRun, 40.0f);
}

TEST_F(MainWindowTest, WindowDeactivationDoesNotValidateTheBox) {
  typeInto(3, "10");
  QWidget other;
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  EXPECT_EQ(box(3)->text(), "10");
  EXPECT_EQ(form().paramValue[fixedLinkLength], 31.0f);
}

TEST_F(MainWindowTest, SpinBarArrowsStepUpwardsAtTheTopAndRunTheWholePass) {
  const std::tuple<int, QStyle::SubControl, int, const char*> cases[] = {
      {3, QStyle::SC_ScrollBarSubLine, 32, "静止節(19～53)"},  // upper arrow
      {0, QStyle::SC_ScrollBarSubLine, 19, "静止節(20～52)"},
      {1, QStyle::SC_ScrollBarAddLine, 35, "静止節(21～51)"},
  };
  for (const auto& [i, arrow, value, label13] : cases) {
    SCOPED_TRACE(i);
    QTest::mouseClick(spinBar(i), Qt::LeftButton, {}, centreOf(spinBar(i), arrow));
    EXPECT_EQ(box(i)->text().toInt(), value);
    EXPECT_EQ(form().paramValue[i], static_cast<float>(value));
    EXPECT_EQ(child<QLabel>("Label13")->text().toStdString(), label13);
  }
}

TEST_F(MainWindowTest, ThePointerReadoutNamesThePixelUnderThePointerAtEveryZoomLevel) {
  const std::pair<const char*, int> zooms[] = {{"Command3", 2}, {"Command4", 3}, {"Command4", 4}};
  QWidget* canvas = child("Picture1");
  for (const auto& [button, zoom] : zooms) {
    click(QString::fromLatin1(button));
    ASSERT_EQ(form().zoomLevel, zoom);
    for (const QPoint pixel : {QPoint(0, 0), QPoint(768, 448), QPoint(13, 400), QPoint(700, 3)}) {
      SCOPED_TRACE(::testing::Message() << zoom << ": " << pixel.x() << "," << pixel.y());
      QMouseEvent move(QEvent::MouseMove, QPointF(pixel), canvas->mapToGlobal(QPointF(pixel)),
                       Qt::NoButton, Qt::NoButton, Qt::NoModifier);
      QApplication::sendEvent(canvas, &move);
      EXPECT_EQ(form().canvas.toPixel(form().pointerX, form().pointerY),
                (PixelPos{pixel.x(), pixel.y()}));
      EXPECT_EQ((child<QLabel>("Zahyou0")->text() + child<QLabel>("Zahyou1")->text()).toStdString(),
                "X=" + formatBoxNumber(form().pointerX) + "Y=" + formatBoxNumber(-form().pointerY));
    }
  }
}

TEST_F(MainWindowTest, MultiDoubleClicksSwitchTheAssistantOnAndOff) {
  QTest::mouseDClick(child("Multi"), Qt::LeftButton);
  QTest::mouseDClick(child("Multi"), Qt::LeftButton);
  EXPECT_EQ(platform->messages, (std::vector<std::string>{"test", "good bye"}));
}

}  // namespace
}  // namespace gyrenda::testing
