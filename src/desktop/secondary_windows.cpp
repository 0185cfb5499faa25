#include "desktop/secondary_windows.h"

#include <QApplication>
#include <QIcon>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <array>
#include <tuple>

#include "desktop/help_window.h"
#include "desktop/main_window.h"
#include "desktop/version_window.h"

// The pictures and the help document are compiled into a static library, whose unreferenced
// parts the linker would leave out; registering them from here keeps them in. Registering
// twice is harmless. Outside the namespace because the macro declares a global function.
static void registerGyrendaResources() { Q_INIT_RESOURCE(gyrenda); }

namespace gyrenda {
namespace {

constexpr int kGap = 8;  // between the main window's frame and a window beside it

// The smallest a help window is made to fit beside the main window: lines of a readable length.
constexpr QSize kSmallestHelp(400, 300);

// What showBeside keeps on a window: the size wanted of it and the size its place gave it.
constexpr const char* kWantedSize = "gyrendaWantedSize";
constexpr const char* kPlacedSize = "gyrendaPlacedSize";

// The help window that belongs to `owner`: a child window of the main window, or, with no
// main window, a window of its own.
HelpWindow* existingHelpWindow(QWidget* owner) {
  if (owner) return owner->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
  for (QWidget* w : QApplication::topLevelWidgets()) {
    auto* help = qobject_cast<HelpWindow*>(w);
    if (help && !help->parentWidget()) return help;
  }
  return nullptr;
}

// The frame the window manager puts around `window`; none before it has shown the window.
QMargins frameOf(const QWidget& window) {
  const QRect frame = window.frameGeometry(), client = window.geometry();
  return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
          frame.bottom() - client.bottom()};
}

long long area(const QRect& r) { return r.isValid() ? 1LL * r.width() * r.height() : 0; }

}  // namespace

void showVersionWindow(QWidget* parent) {
  registerGyrendaResources();
  auto* window = new VersionWindow(parent);
  // exec() deletes the window on its way out, also when the owner goes first.
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->exec();
}

void showHelpWindow(QWidget* parent) {
  registerGyrendaResources();
  HelpWindow* help = existingHelpWindow(parent);
  if (!help) {
    help = new HelpWindow(parent);
    help->setWindowIcon(gyrendaIcon());
    if (!parent) help->setAttribute(Qt::WA_DeleteOnClose);
  }
  help->showContents();
  showBeside(*help, parent, kSmallestHelp);
}

void bringBack(QWidget& window) {
  // show() alone leaves a minimised window minimised.
  window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
  window.show();
  window.raise();
  window.activateWindow();
}

QIcon gyrendaIcon() {
  registerGyrendaResources();
  QIcon icon;
  for (int size : {16, 32, 48, 64, 128, 256}) {
    icon.addFile(QStringLiteral(":/icons/gyrenda-%1.png").arg(size), QSize(size, size));
  }
  return icon;
}

QRect secondaryWindowPlace(const QRect& main, const KeptInView& kept, const QSize& wanted,
                           const QSize& smallest, const QRect& screen) {
  const QSize most = wanted.boundedTo(screen.size());
  const QSize least = smallest.boundedTo(most);
  // How wide a window may be right and left of the main window, how high below it.
  const int rightRoom = screen.right() - main.right() - kGap;
  const int leftRoom = main.left() - kGap - screen.left();
  const int belowRoom = screen.bottom() - main.bottom() - kGap;
  // Beside the main window: level with its top, or as near as the screen allows.
  const auto top = [&](int height) {
    return std::clamp(main.top(), screen.top(), screen.bottom() + 1 - height);
  };
  // Below it: level with its left side, or as near as the screen allows.
  const auto level = [&](int width) {
    return std::clamp(main.left(), screen.left(), screen.right() + 1 - width);
  };
  const auto right = [&](QSize s) {
    return QRect(QPoint(main.right() + 1 + kGap, top(s.height())), s);
  };
  const auto left = [&](QSize s) {
    return QRect(QPoint(main.left() - kGap - s.width(), top(s.height())), s);
  };
  const auto below = [&](QSize s) {
    return QRect(QPoint(level(s.width()), main.bottom() + 1 + kGap), s);
  };
  if (rightRoom >= most.width()) return right(most);
  if (leftRoom >= most.width()) return left(most);
  if (belowRoom >= most.height()) return below(most);
  if (rightRoom >= least.width()) return right({rightRoom, most.height()});
  if (leftRoom >= least.width()) return left({leftRoom, most.height()});
  if (belowRoom >= least.height()) return below({most.width(), belowRoom});
  // No room beside the main window: against an edge of the screen, covering least of it.
  const QSize upright(least.width(), most.height()), flat(most.width(), least.height());
  const std::array<QRect, 3> edges{
      QRect(QPoint(screen.right() + 1 - upright.width(), top(upright.height())), upright),
      QRect(QPoint(screen.left(), top(upright.height())), upright),
      QRect(QPoint(level(flat.width()), screen.bottom() + 1 - flat.height()), flat)};
  const auto covered = [&kept](const QRect& r) {
    return std::pair(area(r & kept.buttons), area(r & kept.canvas));
  };
  return *std::ranges::min_element(edges, {}, covered);
}

void showBeside(QWidget& window, QWidget* owner, const QSize& smallest) {
  const QScreen* screen = owner ? owner->screen() : nullptr;
  if (screen && !window.isVisible()) {
    // The size the user gave the window last, unless it is the one its last place gave it.
    const QVariant placed = window.property(kPlacedSize);
    const QSize wanted = placed.isValid() && placed.toSize() == window.size()
                             ? window.property(kWantedSize).toSize()
                             : window.size();
    QMargins frame = frameOf(window);
    if (frame.isNull()) frame = frameOf(*owner);
    KeptInView kept{owner->frameGeometry(), owner->frameGeometry()};
    if (const auto* main = qobject_cast<const MainWindow*>(owner)) kept = main->keptInView();
    const QRect place = secondaryWindowPlace(owner->frameGeometry(), kept, wanted.grownBy(frame),
                                             smallest.grownBy(frame), screen->availableGeometry());
    window.resize(place.size().shrunkBy(frame));
    window.move(place.topLeft());  // a window's position is its frame's
    window.setProperty(kWantedSize, wanted);
    window.setProperty(kPlacedSize, window.size());
  }
  bringBack(window);
}

}  // namespace gyrenda
