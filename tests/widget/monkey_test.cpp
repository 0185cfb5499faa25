// A long, random but seeded sequence of user actions on the real window, checking after each
// that the window is in a consistent state. GYRENDA_MONKEY_SEED and GYRENDA_MONKEY_ACTIONS
// reproduce or lengthen a run.
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

#include "app/number_text.h"
#include "widget/main_window_fixture.h"

namespace gyrenda::testing {
namespace {

namespace fs = std::filesystem;

long fromEnvironment(const char* name, long fallback) {
  const char* v = std::getenv(name);
  return v ? std::strtol(v, nullptr, 10) : fallback;
}

// Dialogs answered at random: files in a folder of the test's own, of either type.
class MonkeyPlatform : public RecordingPlatform {
 public:
  std::optional<SaveChoice> askSavePath(const std::string&) override {
    if (random() % 4 == 0) return std::nullopt;
    return SaveChoice{(dir / ("design" + std::to_string(random() % 3))).string(),
                      static_cast<int>(1 + random() % 2)};
  }
  std::optional<std::string> askOpenPath() override {
    if (random() % 4 == 0) return std::nullopt;
    return (dir / ("design" + std::to_string(random() % 3))).string();
  }
  std::optional<int> askPrintCopies() override { return std::nullopt; }
  std::function<unsigned()> random;
  fs::path dir;
};

const char* const kTexts[] = {"18", "36", "-5", "0", "0.4", "1e39", "-1e39", "abc", "", " 1 2 ",
                              "31", "72", "-30000", "30001", "2.5e1", "nan", "9999", "."};

class Monkey {
 public:
  Monkey(unsigned seed, fs::path dir) : rng_(seed), dir_(std::move(dir)) { open(); }

  unsigned next(unsigned n) { return static_cast<unsigned>(rng_() % n); }

  void open() {
    auto platform = std::make_unique<MonkeyPlatform>();
    platform->random = [this] { return static_cast<unsigned>(rng_()); };
    platform->dir = dir_;
    platform_ = platform.get();
    window_ = std::make_unique<MainWindow>(std::move(platform));
    window_->show();
    window_->activateWindow();
    QApplication::processEvents();
  }

  template <typename W = QWidget>
  W* child(const QString& name) const { return window_->findChild<W*>(name); }
  QString boxName(int i) const { return QStringLiteral("parameter%1").arg(i); }

  // During a run, the yield presses 停止 now and then and tries what a restless user tries.
  void actInsideRun(int yield) {
    if (yield % 97 == 0 || next(400) == 0) QTest::mouseClick(child("Command6"), Qt::LeftButton);
    if (next(300) == 0) QTest::mouseClick(child("Command1"), Qt::LeftButton);
    if (next(300) == 0) QTest::mouseDClick(child("Picture1"), Qt::LeftButton, {}, QPoint(100, 100));
    if (next(300) == 0) QTest::mouseDClick(child("Multi"), Qt::LeftButton);
    if (next(500) == 0) child<QListWidget>("List3")->setCurrentRow(static_cast<int>(next(3)));
  }

  void act() {
    platform_->yields = 0;
    platform_->onYield = [this](int y) { actInsideRun(y); };
    switch (next(16)) {
      case 0: case 1: case 2: {  // type into a box and leave it for another
        const int i = static_cast<int>(next(kParamCount));
        auto* box = child<QLineEdit>(boxName(i));
        QTest::mouseClick(box, Qt::LeftButton);
        box->selectAll();
        QTest::keyClicks(box, QString::fromUtf8(kTexts[next(std::size(kTexts))]));
        QTest::mouseClick(child<QLineEdit>(boxName((i + 1 + static_cast<int>(next(12))) % kParamCount)),
                          Qt::LeftButton);
        break;
      }
      case 3: case 4: {
        auto* bar = child<QScrollBar>(QStringLiteral("VScroll2_%1").arg(next(kParamCount)));
        bar->triggerAction(next(2) ? QAbstractSlider::SliderSingleStepAdd
                                   : QAbstractSlider::SliderSingleStepSub);
        break;
      }
      case 5: QTest::mouseClick(child(next(2) ? "Command3" : "Command4"), Qt::LeftButton); break;
      case 6: {
        auto* bar = child<QScrollBar>(next(2) ? "HScroll1" : "VScroll1");
        bar->triggerAction(next(2) ? QAbstractSlider::SliderPageStepAdd
                                   : QAbstractSlider::SliderPageStepSub);
        break;
      }
      case 7: child<QListWidget>("List3")->setCurrentRow(static_cast<int>(next(3))); break;
      case 8: {
        static const char* const boxes[] = {"Check2", "Check3", "Check4", "Check3", "RealTimeSW"};
        auto* check = child<QCheckBox>(boxes[next(5)]);
        // すぐに描画する makes every edit an analysis: keep it on rarely.
        if (check->objectName() != "RealTimeSW" || check->isChecked() || next(4) == 0)
          QTest::mouseClick(check, Qt::LeftButton);
        break;
      }
      case 9: case 10: QTest::mouseClick(child("Command1"), Qt::LeftButton); break;
      case 11: QTest::mouseClick(child(next(2) ? "AnimeButton0" : "AnimeButton1"), Qt::LeftButton); break;
      case 12:
        QTest::mouseMove(child("Picture1"), QPoint(static_cast<int>(next(769)), static_cast<int>(next(449))));
        QTest::mouseDClick(child("Picture1"), Qt::LeftButton, {},
                           QPoint(static_cast<int>(next(769)), static_cast<int>(next(449))));
        break;
      case 13: QTest::mouseDClick(child("Multi"), Qt::LeftButton); break;
      case 14: window_->findChild<QAction*>(next(2) ? "File_Save" : "File_Load")->trigger(); break;
      case 15:
        if (next(20) == 0) closeMidRun();
        break;
    }
    QApplication::processEvents();
  }

  // Closes the window from inside an analysis and opens a fresh one.
  void closeMidRun() {
    platform_->onYield = [this](int y) {
      if (y == 50) window_->close();
    };
    QTest::mouseClick(child("Command1"), Qt::LeftButton);
    EXPECT_FALSE(window_->isVisible()) << "closing during a run must end it and close the window";
    EXPECT_FALSE(window_->form().running);
    window_.reset();
    open();
  }

  // What must hold whenever no handler is running.
  void checkConsistent() {
    const Form& f = window_->form();
    ASSERT_FALSE(f.running);
    EXPECT_FALSE(f.timerEnabled);
    EXPECT_FALSE(child<QTimer>("Timer1")->isActive());
    EXPECT_FALSE(f.busyPointer);
    EXPECT_EQ(f.editGuard, 0);
    EXPECT_TRUE(child("Command1")->isEnabled());
    EXPECT_FALSE(child("Command6")->isEnabled());
    EXPECT_TRUE(child("parameter3")->isEnabled());
    for (int k = 0; k < kParamCount; ++k) {
      SCOPED_TRACE(k);
      const float v = f.paramValue[k];
      EXPECT_TRUE(v >= -30000.0f && v <= 30000.0f);
      EXPECT_GE(f.spinValue[k], paramInfo()[k].spinMin);
      EXPECT_LE(f.spinValue[k], paramInfo()[k].spinMax);
      EXPECT_EQ(child<QLineEdit>(boxName(k))->text().toStdString(), f.parameterText[k]);
      EXPECT_EQ(child<QScrollBar>(QStringLiteral("VScroll2_%1").arg(k))->value(), f.spinValue[k]);
    }
    for (int k : {crankRadius, leverRadius, couplerLength, sixLinkLength}) EXPECT_GT(f.paramValue[k], 0.0f);
    if (f.Label13 != "静止節長さ(0～0)") {
      const double c = f.paramValue[crankRadius], l = f.paramValue[leverRadius];
      const double k = f.paramValue[couplerLength];
      EXPECT_EQ(f.Label13, "静止節(" + formatBoxNumber(static_cast<float>(c - l + k + 1)) + "～" +
                               formatBoxNumber(static_cast<float>(k - c + l - 1)) + ")");
    }
    EXPECT_EQ(child<QLabel>("Label13")->text().toStdString(), f.Label13);
  }

 private:
  std::mt19937 rng_;
  fs::path dir_;
  MonkeyPlatform* platform_ = nullptr;
  std::unique_ptr<MainWindow> window_;
};

TEST(MonkeyTest, RandomUseKeepsTheWindowConsistent) {
  const auto seed = static_cast<unsigned>(fromEnvironment("GYRENDA_MONKEY_SEED", 20261206));
  const long actions = fromEnvironment("GYRENDA_MONKEY_ACTIONS", 2000);
  const fs::path dir = fs::temp_directory_path() / ("gyrenda-monkey-" + std::to_string(seed));
  fs::create_directories(dir);
  std::ofstream(dir / "design2", std::ios::binary) << "\"gyrenda\"\r\nnot a design\r\n";
  {
    Monkey monkey(seed, dir);
    for (long n = 0; n < actions; ++n) {
      SCOPED_TRACE("seed " + std::to_string(seed) + ", action " + std::to_string(n));
      monkey.act();
      monkey.checkConsistent();
      if (::testing::Test::HasFailure()) break;
    }
  }
  std::error_code ec;
  fs::remove_all(dir, ec);
}

}  // namespace
}  // namespace gyrenda::testing
