#include "desktop/secondary_windows.h"

#include <QApplication>
#include <QIcon>
#include <QScreen>
#include <QWidget>

#include "desktop/help_window.h"
#include "desktop/version_window.h"

// The pictures and the help document are compiled into a static library, whose unreferenced
// parts the linker would leave out; registering them from here keeps them in. Registering
// twice is harmless. Outside the namespace because the macro declares a global function.
static void registerGyrendaResources() { Q_INIT_RESOURCE(gyrenda); }

namespace gyrenda {
namespace {

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

void placeBeside(HelpWindow& help, const QWidget& owner) {
  const QScreen* screen = owner.screen();
  if (!screen) return;
  const QRect place =
      helpWindowPlace(owner.frameGeometry(), help.size(), screen->availableGeometry());
  help.resize(place.size());
  help.move(place.topLeft());
}

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
  if (!help->isVisible() && parent) placeBeside(*help, *parent);
  bringBack(*help);
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

}  // namespace gyrenda
