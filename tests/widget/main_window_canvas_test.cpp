// The canvas, its pan bars and zoom buttons, the pointer readout, the assistant corner, and
// the Qt platform's own message box and pause.
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTimer>

#include "app/number_text.h"
#include "canvas/qt_canvas_widget.h"
#include "widget/main_window_fixture.h"

namespace gyrenda::testing {
namespace {

void movePointer(QWidget* canvas, QPoint pixel) {
  QMouseEvent move(QEvent::MouseMove, QPointF(pixel), canvas->mapToGlobal(QPointF(pixel)),
                   Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(canvas, &move);
}

TEST_F(MainWindowTest, ThePointerReadoutNamesThePixelUnderThePointerAtEveryZoomLevel) {
  const std::pair<const char*, int> zooms[] = {{"Command3", 2}, {"Command4", 3}, {"Command4", 4}};
  const QPoint pixels[] = {{0, 0}, {768, 448}, {384, 224}, {13, 400}, {700, 3}};
  QWidget* canvas = child("Picture1");
  for (const auto& [button, zoom] : zooms) {
    click(QString::fromLatin1(button));
    ASSERT_EQ(form().zoomLevel, zoom);
    for (const QPoint& pixel : pixels) {
      SCOPED_TRACE(::testing::Message() << "zoom " << zoom << " pixel " << pixel.x() << "," << pixel.y());
      movePointer(canvas, pixel);
      const auto back = form().canvas.toPixel(form().pointerX, form().pointerY);
      ASSERT_TRUE(back.has_value());
      EXPECT_EQ(*back, (PixelPos{pixel.x(), pixel.y()}));
      EXPECT_EQ(child<QLabel>("Zahyou0")->text().toStdString(), "X=" + formatBoxNumber(form().pointerX));
      EXPECT_EQ(child<QLabel>("Zahyou1")->text().toStdString(), "Y=" + formatBoxNumber(-form().pointerY));
    }
  }
}

class PointEntryTest : public MainWindowTest {
 protected:
  // The number a readout label shows after its "X=" or "Y=".
  float shownNumber(const char* label) {
    return readNumber(child<QLabel>(QString::fromLatin1(label))->text().mid(2).toStdString());
  }
};

TEST_F(PointEntryTest, DoubleClicksOnTheCanvasSetTheSlideEndThenItsStart) {
  QWidget* canvas = child("Picture1");
  const QPoint end{500, 150}, start{100, 120};
  movePointer(canvas, end);
  const float endX = shownNumber("Zahyou0"), endY = shownNumber("Zahyou1");
  QTest::mouseDClick(canvas, Qt::LeftButton, {}, end);
  // The vector takes the readout as shown; the box shows what the spin bar made of it.
  EXPECT_EQ(form().paramValue[slideEndX], endX);
  EXPECT_EQ(form().paramValue[slideEndY], endY);
  EXPECT_EQ(box(slideEndX)->text().toInt(), spinBar(slideEndX)->value());
  EXPECT_TRUE(child<QRadioButton>("Option1_0")->isChecked());

  movePointer(canvas, start);
  const float startX = shownNumber("Zahyou0"), startY = shownNumber("Zahyou1");
  QTest::mouseDClick(canvas, Qt::LeftButton, {}, start);
  EXPECT_EQ(form().paramValue[slideStartX], startX);
  EXPECT_EQ(form().paramValue[slideStartY], startY);
  EXPECT_EQ(form().paramValue[slideEndX], endX);
  EXPECT_TRUE(child<QRadioButton>("Option1_1")->isChecked());
  EXPECT_FALSE(child<QRadioButton>("Option1_0")->isChecked());
}

TEST_F(MainWindowTest, PanBarsAndZoomButtonsMoveTheView) {
  struct Case {
    const char* control;
    QStyle::SubControl part;  // for the bars
    int h, v, zoom;
  };
  const Case cases[] = {
      {"HScroll1", QStyle::SC_ScrollBarAddLine, -50, -140, 3},
      {"HScroll1", QStyle::SC_ScrollBarAddPage, 0, -140, 3},
      {"VScroll1", QStyle::SC_ScrollBarSubLine, 0, -150, 3},
      {"Command3", QStyle::SC_None, 0, -150, 2},
      {"Command3", QStyle::SC_None, 0, -150, 2},
      {"Command4", QStyle::SC_None, 0, -150, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.control);
    if (auto* bar = qobject_cast<QScrollBar*>(child(QString::fromLatin1(c.control))))
      QTest::mouseClick(bar, Qt::LeftButton, {}, centreOf(bar, c.part));
    else
      click(QString::fromLatin1(c.control));
    EXPECT_EQ(form().HScroll1, c.h);
    EXPECT_EQ(form().VScroll1, c.v);
    EXPECT_EQ(form().zoomLevel, c.zoom);
    // The canvas was redrawn for the new view: its top-left corner is the pan position.
    EXPECT_EQ(*form().canvas.toPixel(c.h + 0.01, c.v + 0.01), (PixelPos{0, 0}));
  }
}

TEST_F(MainWindowTest, MultiDoubleClicksSwitchTheAssistantOnAndOff) {
  QWidget* multi = child("Multi");
  QTest::mouseDClick(multi, Qt::LeftButton);
  EXPECT_EQ(form().assistantOn, -1);
  QTest::mouseDClick(multi, Qt::LeftButton);
  EXPECT_EQ(platform->messages, (std::vector<std::string>{"test", "good bye"}));
  EXPECT_EQ(form().assistantOn, 0);
}

TEST(QtPlatformTest, MessageBoxIsTitledGyrendaWithOneOkButtonAndNoIcon) {
  QtPlatform platform;
  QString title, text;
  int buttons = -1;
  QMessageBox::Icon icon = QMessageBox::Critical;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    title = box->windowTitle();
    text = box->text();
    buttons = static_cast<int>(box->buttons().size());
    icon = box->icon();
    box->button(QMessageBox::Ok)->click();
  });
  platform.showMessage("このリンクは実現できないと思う。");
  EXPECT_EQ(title, "GYRENDA");
  EXPECT_EQ(text, "このリンクは実現できないと思う。");
  EXPECT_EQ(buttons, 1);
  EXPECT_EQ(icon, QMessageBox::NoIcon);
}

TEST(QtPlatformTest, PauseLastsItsLengthButNeverLongerThanTheLimit) {
  QtPlatform platform;
  using Clock = std::chrono::steady_clock;
  const std::chrono::microseconds lengths[] = {std::chrono::microseconds(20),
                                               std::chrono::microseconds(1500)};
  for (auto length : lengths) {
    const auto start = Clock::now();
    platform.pause(length);
    EXPECT_GE(Clock::now() - start, length);
  }
  const auto start = Clock::now();
  platform.pause(std::chrono::seconds(30));
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(1));
}

}  // namespace
}  // namespace gyrenda::testing
