// The 編集 menu's undo and redo of whole designs beside the boxes' own undo, and 軌跡合成: its
// points over the canvas, the search in its thread, and a candidate applied.
#include <sys/stat.h>

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QSpinBox>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <fstream>
#include <ranges>

#include "core/test_support.h"
#include "desktop/canvas_widget.h"
#include "desktop/synthesis_dialog.h"
#include "kinematics/exact_linkage.h"
#include "linkage/number_text.h"
#include "synthesis/compact_fit.h"
#include "widget/main_window_fixture.h"

namespace gyrenda::testing {
namespace {

class SynthesisWindowTest : public MainWindowTest {
 protected:
  SynthesisDialog* openDialog() { return open<SynthesisDialog>("synthesis"); }
  // A control of the dialog (the main window has a "stop" and a "status" of its own).
  template <typename W = QWidget>
  W* of(const char* name) const {
    auto* w = window->findChild<SynthesisDialog*>()->findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  void press(const char* name) { QTest::mouseClick(of(name), Qt::LeftButton); }
  bool told(const char* text) const { return of<QLabel>("status")->text().contains(QString::fromUtf8(text)); }
  // The pointer moved to a canvas pixel, then a double-click there.
  void doubleClickCanvas(QPoint pixel) {
    QWidget* canvas = child("canvas");
    QMouseEvent move(QEvent::MouseMove, pixel, canvas->mapToGlobal(pixel), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &move);
    QTest::mouseDClick(canvas, Qt::LeftButton, {}, pixel);
  }
  void key(Qt::KeyboardModifiers modifiers) { QTest::keyClick(box(2), Qt::Key_Z, modifiers); }
  // The next question the dialog asks is answered by its button `answer`.
  static void answer(const char* answer) {
    whenModal<QMessageBox>([answer](QMessageBox* box) {
      for (QAbstractButton* b : box->buttons())
        if (b->text() == QString::fromUtf8(answer)) b->click();
    });
  }
};

// Typing in a box is undone by the box itself, back to what its last pass read; then Ctrl+Z
// and Ctrl+Shift+Z cross whole designs. The menu items do the same, and are on for either.
// (The core's tests hold which edits are steps.)
TEST_F(SynthesisWindowTest, TheFocusedBoxUndoesItsOwnTypingFirst) {
  typeInto(2, "45");
  click("canvas");  // a step: the coupler 45
  typeInto(2, "50");
  key(Qt::ControlModifier);
  EXPECT_EQ(box(2)->text(), "45");
  EXPECT_EQ(bench().linkage()[couplerLength], 45) << "the design untouched";
  key(Qt::ControlModifier);
  EXPECT_EQ(box(2)->text(), "36") << "no typing left: the design's undo";
  EXPECT_TRUE(!action("undo")->isEnabled() && action("redo")->isEnabled());
  key(Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(bench().linkage()[couplerLength], 45);
  key(Qt::ControlModifier);
  typeInto(2, "60");
  action("undo")->trigger();
  EXPECT_EQ(box(2)->text(), "36");
  action("redo")->trigger();
  EXPECT_EQ(box(2)->text(), "60");
  action("redo")->trigger();
  EXPECT_EQ(bench().linkage()[couplerLength], 60) << "the typing, a step, leaves no redo";
  EXPECT_FALSE(action("redo")->isEnabled());
}

// Points are drawn on the widget only: the raster the searches read stays as it was, with the
// points and after a run under them; the widget shows the crosses over it.
TEST_F(SynthesisWindowTest, TargetsAreDrawnOverTheRasterNeverIntoIt) {
  auto* canvas = window->canvasWidget();
  for (const bool run : {false, true}) {
    if (run) click("execute"), settle();
    const Raster raster = bench().canvas();
    canvas->setTargets({});
    const QImage bare = canvas->grab().toImage();
    canvas->setTargets({{10, 20}, {40, -5}, {-30, 0}});
    const QImage crossed = canvas->grab().toImage();
    EXPECT_TRUE(test::samePixels(raster, bench().canvas())) << run;
    const auto at = *bench().canvas().toPixel(40, 5);
    EXPECT_NE(crossed.pixel(at.x, at.y), bare.pixel(at.x, at.y)) << run;
  }
}

// While the dialog is open a double-click adds the readout's point and leaves the slide alone;
// closed, the double-click enters a slide point as before. The canvas shows the dialog's points
// only while it is open.
TEST_F(SynthesisWindowTest, DoubleClickAddsATargetOnlyWhileTheDialogIsOpen) {
  SynthesisDialog* dialog = openDialog();
  const std::string slide = box(slideEndX)->text().toStdString();
  doubleClickCanvas({300, 200});
  const ControlState::Readout at = *bench().controls().readout;
  ASSERT_EQ(dialog->targets().size(), 1u);
  EXPECT_EQ(dialog->targets()[0], (Vec2{at.x, -at.y}));
  EXPECT_EQ(window->canvasWidget()->targets(), dialog->targets());
  EXPECT_EQ(box(slideEndX)->text().toStdString(), slide);
  dialog->close();
  EXPECT_TRUE(window->canvasWidget()->targets().empty());
  click("slideEndOption");
  doubleClickCanvas({300, 200});
  EXPECT_EQ(dialog->targets().size(), 1u);
  EXPECT_NE(box(slideEndX)->text().toStdString(), slide);
}

// A file is read whole when it is a regular file of points; anything else is refused at once
// with the reason, and the table keeps what it had. Points in the table are replaced or
// followed only as the user answers. (How points are written: the core's target list test.)
TEST_F(SynthesisWindowTest, ImportsARegularCsvFileAndRefusesTheRestWithoutWaiting) {
  SynthesisDialog* dialog = openDialog();
  QTemporaryDir dir;
  const auto write = [&dir](const char* name, const char* text) {
    std::ofstream(dir.filePath(name).toStdString()) << text;
    return dir.filePath(name);
  };
  const QString good = write("good.csv", "x,y\n1,2\n3,4\n5,6\n"), fifo = dir.filePath("fifo.csv");
  ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
  const std::vector<Vec2> three{{1, 2}, {3, 4}, {5, 6}};
  std::vector<Vec2> six = three;
  six.insert(six.end(), three.begin(), three.end());
  for (const auto& [path, question, read, reason, points] :
       {std::tuple{good, "", true, "3 点を読み込みました", three},
        {fifo, "", false, "ふつうのファイルではありません", three},
        {write("bad.csv", "1,2\n3,x\n"), "", false, "2 行目", three},
        {good, "後ろに加える", true, "3 点を読み込みました", six},
        {good, "キャンセル", false, "やめました", six},
        {good, "置き換える", true, "3 点を読み込みました", three}}) {
    if (*question) answer(question);
    EXPECT_EQ(dialog->importTargets(path), read) << reason;  // a FIFO would hang here
    EXPECT_TRUE(told(reason)) << of<QLabel>("status")->text().toStdString();
    EXPECT_EQ(dialog->targets(), points) << reason;
  }
  QGuiApplication::clipboard()->setText("７\t８\n９，１０\n");
  dialog->pasteTargets();
  EXPECT_EQ(dialog->targets().size(), 5u);
}

// A list with crank angles fills the angle column and the search meets each point at its
// angle: the selected candidate's distance and crank-angle error stand beside each point. A
// drawing's closed polyline gives its points, or as many spaced along it as the field asks.
TEST_F(SynthesisWindowTest, TimingAndTracedCurvesFillTheTargetTable) {
  SynthesisDialog* dialog = openDialog();
  QTemporaryDir dir;
  const auto write = [&dir](const char* name, const std::string& text) {
    std::ofstream(dir.filePath(name).toStdString()) << text;
    return dir.filePath(name);
  };
  const ExactLinkage exact = makeExactLinkage(bench().linkage().parameters);
  std::string csv = "x,y,角度\n";
  for (const double a : {10.0, 75.0, 130.0, 200.0, 250.0, 320.0}) {
    const Vec2 q = fourBarPose(exact, a, 0)->output;
    csv += formatBoxNumber(static_cast<float>(q.x)) + "," + formatBoxNumber(static_cast<float>(q.y)) +
           "," + formatBoxNumber(static_cast<float>(a)) + "\n";
  }
  ASSERT_TRUE(dialog->importTargets(write("timed.csv", csv)));
  EXPECT_EQ(dialog->timing(), (std::vector<double>{0, 65, 120, 190, 240, 310}));
  of<QDoubleSpinBox>("minTransmission")->setValue(10);
  press("start");
  ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog->searching(); }, 60000));
  ASSERT_FALSE(dialog->result().candidates.empty()) << static_cast<int>(dialog->result().problem);
  const SynthesisCandidate& best = *dialog->selected();
  EXPECT_LT(best.maxDistance, 0.05);
  auto* table = of<QTableWidget>("targetTable");
  for (int row = 0; row < 6; ++row) {
    EXPECT_EQ(table->item(row, 3)->text(), QString::number(best.distances[row], 'f', 3));
    EXPECT_EQ(table->item(row, 4)->text(), QString::number(best.crankAngleErrors[row], 'f', 1) + "°");
  }
  EXPECT_FALSE(of<QTableWidget>("candidateTable")->isColumnHidden(15)) << "the phase";

  const std::string square = "0\nSECTION\n2\nENTITIES\n0\nLWPOLYLINE\n8\nP\n90\n4\n70\n1\n10\n0\n20\n40\n"
                             "10\n40\n20\n40\n10\n40\n20\n80\n10\n0\n20\n80\n0\nENDSEC\n0\nEOF\n";
  of<QSpinBox>("sampleCount")->setValue(8);
  answer("置き換える");
  EXPECT_TRUE(dialog->importTargets(write("square.dxf", square)));
  EXPECT_TRUE(told("閉じた POLYLINE（画層 P）から 8 点")) << of<QLabel>("status")->text().toStdString();
  EXPECT_EQ(dialog->targets().size(), 8u);
  EXPECT_TRUE(dialog->timing().empty() && table->item(0, 3)->text().isEmpty());
  EXPECT_FALSE(dialog->importTargets(write("list.dxf", csv)));
  EXPECT_TRUE(told("DXF の図面として読めません"));
}

// Bad input is told in the dialog before or instead of a search: a cell that is not a number,
// and a problem the search reports (too few points), naming the rows concerned.
TEST_F(SynthesisWindowTest, BadTargetsAreToldAndGiveNoCandidate) {
  SynthesisDialog* dialog = openDialog();
  auto* table = of<QTableWidget>("targetTable");
  of<QCheckBox>("scaleBounds")->setChecked(false);  // the bounds as the fields hold them, 1 … 200
  // "~" an empty cell; the rows named as the table shows them.
  for (const auto& [cells, message] : {std::pair{"1 2 3 x 5 6", "2 行目が数ではありません"},
                                       {"1 2 3 4", "目標点が足りません"},
                                       {"1 2 ~ ~ 3 4 1 2", "1 行目と 4 行目の目標点が同じ位置"},
                                       {"0 40 30 60 ~ ~ 0 500", "4 行目の目標点には、範囲内のどのリンクも届きません"}}) {
    const QStringList cell = QString::fromUtf8(cells).split(' ');
    table->setRowCount(static_cast<int>(cell.size() / 2));
    for (int k = 0; k < cell.size(); ++k)
      table->setItem(k / 2, k % 2, new QTableWidgetItem(cell[k] == "~" ? QString() : cell[k]));
    press("start");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog->searching(); }, 10000));
    EXPECT_TRUE(told(message)) << of<QLabel>("status")->text().toStdString();
    EXPECT_EQ(of<QTableWidget>("candidateTable")->rowCount(), 0);
    EXPECT_FALSE(of("apply")->isEnabled());
    EXPECT_LE(of<QProgressBar>("progress")->value(), 0) << "refused: nothing done";
  }
}

// 停止 ends a search within 0.2 s and shows what it had found; closing the dialog ends one too.
TEST_F(SynthesisWindowTest, StopAndCloseEndTheSearchPromptly) {
  SynthesisDialog* dialog = openDialog();
  for (const bool close : {false, true}) {
    of<QTableWidget>("targetTable")->setRowCount(0);
    // Twelve points scattered so that no path passes through them: the search would take
    // every start (points of an ellipse, with the nine unknowns of a free frame, are met).
    for (int n = 0; n < 12; ++n) dialog->addTarget({40 * std::sin(2.4 * n), 30 + 25 * std::cos(3.7 * n)});
    of<QCheckBox>("freeFrame")->setChecked(true);
    press("start");
    EXPECT_TRUE(dialog->searching());
    // A tenth of the search done: a few starts have ended, each with a candidate.
    ASSERT_TRUE(QTest::qWaitFor([&] { return of<QProgressBar>("progress")->value() >= 100; }, 30000));
    QElapsedTimer clock;
    clock.start();
    if (close) dialog->close();
    else press("stop");
    // The search heeds the stop within 0.2 s; the window hears of its end at once.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog->searching(); }, 1000));
    EXPECT_LT(clock.elapsed(), 400) << close;
    if (!close) {
      EXPECT_TRUE(of("start")->isEnabled() && !of("stop")->isEnabled());
      EXPECT_TRUE(dialog->result().problem == SynthesisProblem::Stopped);
      EXPECT_LT(of<QProgressBar>("progress")->value(), 1000) << "a stopped search is not all done";
      // A free frame's best so far is shown with the points moved into the program's frame.
      ASSERT_FALSE(dialog->result().candidates.empty());
      EXPECT_EQ(window->canvasWidget()->targets(), dialog->result().candidates[0].targetsInProgramFrame);
      EXPECT_NE(window->canvasWidget()->targets(), dialog->targets());
      EXPECT_FALSE(of<QLabel>("frameNote")->text().isEmpty());
      // Other points: the candidates are said to be of the old ones, and move no new point.
      dialog->addTarget({5, 5});
      EXPECT_TRUE(dialog->stale() && of("staleNote")->isVisible());
      EXPECT_EQ(window->canvasWidget()->targets(), dialog->targets());
    }
    if (close) openDialog();
  }
}

// Points on the default design's path, 開始, and the best candidate applied:
// the boxes hold its four-bar and the boxes' six-bar, its path runs through every cross on
// the raster, and one undo brings the design before back.
TEST_F(SynthesisWindowTest, AnAppliedCandidatesPathRunsThroughTheCrosses) {
  click("execute");
  settle();
  const Raster& raster = bench().canvas();
  const ParameterSet before = bench().linkage().parameters;
  SynthesisDialog* dialog = openDialog();
  for (int k = 0; k < 720; k += 120) dialog->addTarget({bench().result().outputX[k], bench().result().outputY[k]});
  typeInto(sixLinkLength, "55");
  of<QDoubleSpinBox>("minTransmission")->setValue(10);  // the default design's dips below 30°
  of<QComboBox>("ranking")->setCurrentIndex(1);  // the largest distance
  of<QCheckBox>("rasterFirst")->setChecked(false);
  // The bounds follow the points while their box is ticked, and are the user's once not.
  const auto scaled = scaledBounds(dialog->targets(), false);
  EXPECT_EQ(std::tuple(of<QDoubleSpinBox>("bound1high")->value(), of("bound1high")->isEnabled()),
            std::tuple(scaled[1].high, false));
  of<QCheckBox>("scaleBounds")->setChecked(false);
  of<QDoubleSpinBox>("bound1high")->setValue(150);
  dialog->addTarget({1, 1});
  EXPECT_EQ(dialog->options().lever.high, 150);
  of<QTableWidget>("targetTable")->setCurrentCell(6, 0);
  press("removeTarget");
  press("start");
  ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog->searching(); }, 60000));
  ASSERT_FALSE(dialog->result().candidates.empty()) << static_cast<int>(dialog->result().problem);
  const SynthesisCandidate& best = dialog->result().candidates[0];
  EXPECT_EQ(of<QTableWidget>("candidateTable")->item(0, 16)->text().left(7),
            QStringLiteral("%1 / %2").arg(best.rasterPoses).arg(best.rasterSteps).left(7));
  EXPECT_TRUE(std::ranges::is_sorted(dialog->result().candidates, {}, &SynthesisCandidate::maxDistance));
  EXPECT_FALSE(std::ranges::is_sorted(dialog->result().candidates, {}, &SynthesisCandidate::rmsDistance));
  EXPECT_LT(dialog->result().candidates[0].maxDistance, 0.5);
  // A point added since: 適用 asks first. Taken away again: the candidates are current.
  QSignalSpy requests(dialog, &SynthesisDialog::applyRequested);
  dialog->addTarget({0, 0});
  answer("やめる");
  press("apply");
  EXPECT_EQ(requests.count(), 0);
  of<QTableWidget>("targetTable")->setCurrentCell(6, 0);
  press("removeTarget");
  EXPECT_FALSE(dialog->stale() || of("staleNote")->isVisible());
  press("apply");
  settle();
  EXPECT_EQ(requests.count(), 1);
  const ParameterSet& applied = bench().linkage().parameters;
  EXPECT_EQ(box(sixLinkLength)->text(), "55");
  EXPECT_EQ(applied[crankRadius], readNumber(formatBoxNumber(dialog->selected()->parameters[0])));
  for (const Vec2& t : dialog->targets()) {
    const auto at = raster.toPixel(t.x, -t.y);
    ASSERT_TRUE(at);
    const auto hit = [&](int d) { return raster.at(at->x + d % 5 - 2, at->y + d / 5 - 2) >= 11; };
    EXPECT_TRUE(std::ranges::any_of(std::views::iota(0, 25), hit)) << t.x << ", " << t.y;  // 5×5
  }
  action("undo")->trigger();
  EXPECT_EQ(box(sixLinkLength)->text(), "55");
  action("undo")->trigger();
  EXPECT_EQ(bench().linkage().parameters, before);
}

// Return and Enter press the focused button, as Space does; 行を追加 leaves the new row's first
// cell open, so the user types the point at once.
TEST_F(SynthesisWindowTest, ReturnPressesTheFocusedButtonAndANewRowTakesTheTyping) {
  SynthesisDialog* dialog = openDialog();
  dialog->activateWindow();
  ASSERT_TRUE(QTest::qWaitFor([dialog] { return QApplication::activeWindow() == dialog; }));
  for (const auto& [key, x, y] : {std::tuple{Qt::Key_Return, "１２", "34"}, {Qt::Key_Enter, "5", "－6"}}) {
    of("addTarget")->setFocus();
    QTest::keyClick(of("addTarget"), key);
    for (const char* typed : {x, y}) {
      QWidget* cell = QApplication::focusWidget();
      ASSERT_TRUE(cell && of("targetTable")->isAncestorOf(cell)) << key;
      QInputMethodEvent typing;  // as an input method commits it
      typing.setCommitString(QString::fromUtf8(typed));
      QApplication::sendEvent(cell, &typing);
      QTest::keyClick(cell, typed == x ? Qt::Key_Tab : Qt::Key_Return);
    }
  }
  QApplication::processEvents();  // the cell's editor commits Return's text from the event loop
  EXPECT_EQ(dialog->targets(), (std::vector<Vec2>{{12, 34}, {5, -6}}));
}

}  // namespace
}  // namespace gyrenda::testing
