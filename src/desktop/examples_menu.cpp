#include "desktop/examples_menu.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QStandardPaths>

namespace gyrenda {
namespace {

struct ExamplesMenu {
  Q_DECLARE_TR_FUNCTIONS(gyrenda::ExamplesMenu)
};

constexpr Example kExamples[] = {
    {"default-six-bar.GYR", QT_TRANSLATE_NOOP("gyrenda::ExamplesMenu", "標準の6節リンク"),
     QT_TRANSLATE_NOOP("gyrenda::ExamplesMenu", "起動時の設計：てこクランクの出力点がスライダを往復させる")},
    {"walking-leg.GYR", QT_TRANSLATE_NOOP("gyrenda::ExamplesMenu", "歩行脚"),
     QT_TRANSLATE_NOOP("gyrenda::ExamplesMenu", "足先がほぼ半回転のあいだ平らに地面をなぞる脚")},
    {"straight-line.GYR", QT_TRANSLATE_NOOP("gyrenda::ExamplesMenu", "近似直線機構"),
     QT_TRANSLATE_NOOP("gyrenda::ExamplesMenu", "出力点が軌跡の一部でほぼ直線を描く4節リンク")},
    {"quick-return-slider.GYR", QT_TRANSLATE_NOOP("gyrenda::ExamplesMenu", "早戻りスライダ"),
     QT_TRANSLATE_NOOP("gyrenda::ExamplesMenu", "行きと戻りの時間の比が約2のスライダ")},
    {"large-stroke-slider.GYR", QT_TRANSLATE_NOOP("gyrenda::ExamplesMenu", "大ストロークのスライダ"),
     QT_TRANSLATE_NOOP("gyrenda::ExamplesMenu", "クランク半径の何倍もの距離を往復するスライダ")},
    {"flapping-crank-rocker.GYR", QT_TRANSLATE_NOOP("gyrenda::ExamplesMenu", "はばたき"),
     QT_TRANSLATE_NOOP("gyrenda::ExamplesMenu", "揺動角の小さいてこクランク：羽ばたく翼の動き")},
};

}  // namespace

std::span<const Example> examples() { return kExamples; }

QString examplesFolder() {
  const QString program = QCoreApplication::applicationDirPath();
  QStringList candidates{program + QStringLiteral("/examples"),
                         program + QStringLiteral("/../share/gyrenda/examples")};
  candidates << QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                       QStringLiteral("gyrenda/examples"),
                                       QStandardPaths::LocateDirectory);
  for (const QString& folder : candidates)
    if (!folder.isEmpty() && QFileInfo::exists(folder + QLatin1Char('/') + QLatin1String(kExamples[0].file)))
      return QDir::cleanPath(folder);
  return {};
}

QMenu* addExamplesMenu(QMenu* file, const std::function<void(const std::string&)>& open) {
  QMenu* menu = file->addMenu(ExamplesMenu::tr("例を開く"));
  menu->setObjectName(QStringLiteral("examplesMenu"));
  for (const Example& e : kExamples) {
    QAction* item = menu->addAction(QStringLiteral("%1 — %2")
                                        .arg(ExamplesMenu::tr(e.name), ExamplesMenu::tr(e.description)));
    item->setObjectName(QString::fromLatin1(e.file));
    QObject::connect(item, &QAction::triggered, menu, [open, name = QString::fromLatin1(e.file)] {
      // Looked up when chosen, so that a folder put in place meanwhile is found.
      const QString folder = examplesFolder();
      open(QFile::encodeName((folder.isEmpty() ? QStringLiteral("examples") : folder) +
                             QLatin1Char('/') + name)
               .toStdString());
    });
  }
  return menu;
}

}  // namespace gyrenda
