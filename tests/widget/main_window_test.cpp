// The main window as the user meets it: layout, start-up state, editing and the spin bars.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

#include "widget/main_window_fixture.h"

namespace gyrenda::testing {
namespace {

TEST_F(MainWindowTest, ControlsSitWhereTheLayoutPutsThemWithTheirCaptions) {
  struct Case {
    const char* name;
    QRect pixels;  // twips / 15, relative to the control's container
    const char* caption;
  };
  const Case cases[] = {
      {"Command1", {704, 16, 97, 25}, "実行"},
      {"AnimeButton0", {704, 48, 49, 25}, "アニメ"},
      {"AnimeButton1", {752, 48, 49, 25}, "アニメ"},
      {"Command6", {704, 80, 97, 25}, "停止"},
      {"Command3", {704, 128, 49, 33}, "拡大"},
      {"Command4", {752, 128, 49, 33}, "縮小"},
      {"Command2", {704, 168, 97, 25}, "終了"},
      {"Zahyou0", {568, 136, 121, 25}, "X="},
      {"Zahyou1", {568, 168, 121, 25}, "Y="},
      {"HScroll1", {16, 208, 769, 17}, nullptr},
      {"VScroll1", {784, 224, 17, 449}, nullptr},
      {"Multi", {784, 208, 17, 17}, ""},
      {"Picture1", {16, 224, 769, 449}, nullptr},
      {"Frame1", {16, 8, 265, 185}, "４節リンクパラメータ"},
      {"Frame2", {288, 8, 265, 185}, "６節リンクパラメータ"},
      {"Frame3", {560, 8, 137, 121}, "ぷろぱちー"},
      {"Label10", {32, 16, 153, 17}, "クランク（原動節）半径"},
      {"Label13", {8, 88, 177, 17}, "静止節長さ(0～0)"},
      {"Label1", {16, 136, 169, 17}, "４節リンク出力点Ｙ軸補正"},
      {"Label2", {8, 16, 177, 17}, "６節リンクの中間節長さ(0以外)"},
      {"parameter0", {192, 16, 57, 18}, "18"},
      {"VScroll2_0", {232, 16, 17, 17}, nullptr},
      {"parameter9", {152, 88, 49, 18}, "20"},
      {"VScroll2_9", {184, 88, 17, 17}, nullptr},
      {"parameter12", {200, 112, 49, 18}, "55"},
      {"VScroll2_12", {232, 112, 17, 17}, nullptr},
      {"Option1_0", {8, 88, 137, 17}, "ｽﾗｲﾄﾞ始点座標(X,Y)"},
      {"Option1_1", {8, 112, 137, 17}, "ｽﾗｲﾄﾞ終点座標(X,Y)"},
      {"Label5", {16, 136, 233, 17}, ""},
      {"Check2", {136, 160, 117, 17}, "計算の最適化"},
      {"Check4", {136, 160, 117, 17}, "計算の最適化"},
      {"Label8", {8, 16, 113, 17}, "解析スピード"},
      {"List3", {48, 32, 81, 16}, nullptr},
      {"RealTimeSW", {8, 72, 117, 17}, "すぐに描画する"},
      {"Check3", {8, 96, 117, 17}, "6節ﾘﾝｸも解析する"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QWidget* w = child(QString::fromLatin1(c.name));
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->geometry(), c.pixels);
    if (!c.caption) continue;
    QString shown;
    if (auto* b = qobject_cast<QAbstractButton*>(w)) shown = b->text();
    else if (auto* l = qobject_cast<QLabel*>(w)) shown = l->text();
    else if (auto* e = qobject_cast<QLineEdit*>(w)) shown = e->text();
    else if (auto* g = qobject_cast<QGroupBox*>(w)) shown = g->title();
    EXPECT_EQ(shown.toStdString(), c.caption);
  }
  EXPECT_EQ(window->objectName(), "main");
  EXPECT_EQ(window->windowTitle(), "GYRENDA");
  EXPECT_EQ(window->centralWidget()->size(), QSize(814, 683));
}

TEST_F(MainWindowTest, CaptionFontsAreBoldInTheirSizes) {
  const std::pair<const char*, int> cases[] = {
      {"Label10", 12}, {"Label13", 12}, {"Label2", 12},    {"Label8", 12},
      {"Option1_0", 11}, {"Option1_1", 11}, {"Zahyou0", 15}, {"Zahyou1", 15},
  };
  for (const auto& [name, pixelSize] : cases) {
    SCOPED_TRACE(name);
    const QFont font = child(QString::fromLatin1(name))->font();
    EXPECT_EQ(font.pixelSize(), pixelSize);
    EXPECT_TRUE(font.bold());
  }
  EXPECT_FALSE(child("Command1")->font().bold());
}

TEST_F(MainWindowTest, StartsIdleWithTheDefaultsAndTheFocusInBoxZero) {
  const int defaults[] = {18, 36, 36, 31, 72, 0, 50, 100, 30, 20, 55, 150, 55};
  for (int i = 0; i < kParamCount; ++i) {
    EXPECT_EQ(box(i)->text().toInt(), defaults[i]) << i;
    EXPECT_EQ(spinBar(i)->value(), defaults[i]) << i;
  }
  EXPECT_EQ(QApplication::focusWidget(), box(0));
  EXPECT_FALSE(child("Command6")->isEnabled());
  EXPECT_TRUE(child("Command1")->isEnabled());
  EXPECT_TRUE(child<QCheckBox>("Check2")->isChecked());
  EXPECT_TRUE(child<QCheckBox>("Check4")->isChecked());
  EXPECT_FALSE(child<QCheckBox>("Check3")->isChecked());
  EXPECT_FALSE(child<QCheckBox>("RealTimeSW")->isChecked());
  EXPECT_FALSE(child<QRadioButton>("Option1_0")->isChecked());
  EXPECT_FALSE(child<QRadioButton>("Option1_1")->isChecked());
  EXPECT_EQ(child<QListWidget>("List3")->currentItem()->text(), "いぬ");
  EXPECT_EQ(child<QScrollBar>("HScroll1")->value(), -60);
  EXPECT_EQ(child<QScrollBar>("VScroll1")->value(), -140);
  const QList<QAction*> menus = window->menuBar()->actions();
  ASSERT_EQ(menus.size(), 2);
  EXPECT_EQ(menus[0]->text(), "ファイル(&F)");
  EXPECT_EQ(menus[1]->text(), "ヘルプ(&H)");
  EXPECT_EQ(action("File_Save")->text(), "保存");
  EXPECT_EQ(action("File_Load")->text(), "読み込み");
  EXPECT_EQ(action("File_Print")->text(), "印刷");
  EXPECT_EQ(action("hlp")->text(), "Gyrendaのヘルプ");
  EXPECT_EQ(action("ver")->text(), "Gyrendaのバージョン情報");
}

TEST_F(MainWindowTest, TabOrderRunsThroughTheBoxesToExecute) {
  for (int i = 0; i + 1 < kParamCount; ++i) EXPECT_EQ(box(i)->nextInFocusChain(), box(i + 1)) << i;
  EXPECT_EQ(box(kParamCount - 1)->nextInFocusChain(), child("Command1"));
}

TEST_F(MainWindowTest, LeavingAnEditedBoxRepairsItAndShowsTheRange) {
  typeInto(3, "10");
  EXPECT_EQ(form().parameterText[3], "10");
  QTest::mouseClick(box(4), Qt::LeftButton);
  EXPECT_EQ(box(3)->text(), "19");
  EXPECT_EQ(spinBar(3)->value(), 19);
  EXPECT_EQ(child<QLabel>("Label13")->text(), "静止節(19～53)");
  EXPECT_EQ(form().paramValue[fixedLinkLength], 19.0f);
}

// Every control that a click gives the focus to ends the edit of a box first.
TEST_F(MainWindowTest, AClickOnAnyFocusTakingControlValidatesTheBoxLeft) {
  const char* controls[] = {"parameter4", "Command1", "Check2",     "Option1_0", "VScroll2_5",
                            "HScroll1",   "VScroll1", "Picture1",   "List3",     "Command3"};
  for (const char* name : controls) {
    SCOPED_TRACE(name);
    typeInto(3, "60");
    ASSERT_EQ(box(3)->text(), "60");
    click(QString::fromLatin1(name));
    EXPECT_EQ(box(3)->text(), "53");
    EXPECT_EQ(form().paramValue[fixedLinkLength], 53.0f);
  }
}

TEST_F(MainWindowTest, WindowDeactivationDoesNotValidateTheBox) {
  typeInto(3, "10");
  QWidget other;
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  EXPECT_EQ(box(3)->text(), "10");
  EXPECT_EQ(form().paramValue[fixedLinkLength], 31.0f);

  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  EXPECT_EQ(QApplication::focusWidget(), box(3));
  QTest::mouseClick(box(5), Qt::LeftButton);
  EXPECT_EQ(box(3)->text(), "19");
}

TEST_F(MainWindowTest, SpinBarClicksStepByOneUpwardsAtTheTopAndRunThePass) {
  struct Case {
    int bar;
    QStyle::SubControl part;
    int expected;
    const char* label13;
  };
  const Case cases[] = {
      {3, QStyle::SC_ScrollBarSubLine, 32, "静止節(19～53)"},  // upper arrow
      {3, QStyle::SC_ScrollBarAddLine, 31, "静止節(19～53)"},  // lower arrow
      {3, QStyle::SC_ScrollBarAddLine, 30, "静止節(19～53)"},
      {0, QStyle::SC_ScrollBarSubLine, 19, "静止節(20～52)"},
      {1, QStyle::SC_ScrollBarAddLine, 35, "静止節(21～51)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bar);
    QScrollBar* bar = spinBar(c.bar);
    QTest::mouseClick(bar, Qt::LeftButton, {}, centreOf(bar, c.part));
    EXPECT_EQ(bar->value(), c.expected);
    EXPECT_EQ(box(c.bar)->text().toInt(), c.expected);
    EXPECT_EQ(form().paramValue[c.bar], static_cast<float>(c.expected));
    EXPECT_EQ(child<QLabel>("Label13")->text().toStdString(), c.label13);
  }
}

TEST_F(MainWindowTest, SpinBarActionsAreTurnedRoundAndClampedToTheRange) {
  struct Case {
    int bar;
    QAbstractSlider::SliderAction action;
    int expected;
  };
  const Case cases[] = {
      {2, QAbstractSlider::SliderSingleStepAdd, 35},
      {2, QAbstractSlider::SliderSingleStepSub, 36},
      {2, QAbstractSlider::SliderPageStepSub, 37},
      {2, QAbstractSlider::SliderPageStepAdd, 36},
      {5, QAbstractSlider::SliderSingleStepAdd, -1},
  };
  for (const Case& c : cases) {
    spinBar(c.bar)->triggerAction(c.action);
    EXPECT_EQ(form().spinValue[c.bar], c.expected) << c.bar << " " << c.action;
    EXPECT_EQ(box(c.bar)->text().toInt(), c.expected);
  }
  QScrollBar* crank = spinBar(0);
  for (int n = 0; n < 20; ++n) crank->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(crank->value(), 1);
  EXPECT_EQ(form().paramValue[crankRadius], 1.0f);
}

TEST_F(MainWindowTest, ADraggedSpinBarChangesOnceWhereItIsReleased) {
  QScrollBar* bar = spinBar(3);
  bar->setSliderDown(true);
  bar->setSliderPosition(25);
  bar->setSliderPosition(27);
  EXPECT_EQ(form().spinValue[3], 31);
  EXPECT_EQ(box(3)->text(), "31");
  bar->setSliderDown(false);
  EXPECT_EQ(form().spinValue[3], 27);
  EXPECT_EQ(box(3)->text(), "27");
  EXPECT_EQ(form().paramValue[fixedLinkLength], 27.0f);
}

TEST_F(MainWindowTest, ChoicesAreWrittenIntoTheForm) {
  click("Check2");
  EXPECT_EQ(form().Check2, 0);
  click("Check3");
  EXPECT_EQ(form().Check3, 1);
  click("RealTimeSW");
  EXPECT_EQ(form().RealTimeSW, 1);
  click("Option1_1");
  EXPECT_EQ(form().Option1, 1);
  click("Option1_0");
  EXPECT_EQ(form().Option1, 0);

  auto* list = child<QListWidget>("List3");
  const std::pair<int, float> speeds[] = {{0, 5.0f}, {2, 0.0f}, {1, 1.0f}};
  for (const auto& [row, step] : speeds) {
    list->setCurrentRow(row);
    EXPECT_EQ(form().List3Index, row);
    EXPECT_EQ(form().speedStep, step);
  }
}

TEST_F(MainWindowTest, ExitClosesTheWindow) {
  click("Command2");
  EXPECT_FALSE(window->isVisible());
}

}  // namespace
}  // namespace gyrenda::testing
