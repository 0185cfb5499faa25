// The version window and the help window, and bringing a window of the program back; where
// the program's windows other than the main window go.
#pragma once

#include <QRect>
#include <QSize>

class QIcon;
class QWidget;

namespace gyrenda {

// Creates the version window afresh and shows it modal over `parent`; returns when closed.
void showVersionWindow(QWidget* parent);

// Opens the help document at its contents in the program's help window beside `parent`,
// without blocking it.
void showHelpWindow(QWidget* parent);

// Shows `window` in front and active, brought back first when it has been minimised.
void bringBack(QWidget& window);

// The program's icon in all its sizes, 16 × 16 to 256 × 256.
QIcon gyrendaIcon();

// The parts of the main window that a window beside it leaves in view: the command buttons
// (実行 to 終了) and the canvas with its scroll bars, in the screen's coordinates.
struct KeptInView {
  QRect buttons;
  QRect canvas;
};

// Where a window of the program other than the main window goes, as its frame in the
// screen's coordinates: beside `main`, the main window's frame, which never moves for it —
// right of it, else left of it, else below it. It has the size `wanted` on the first of those
// sides with room for it; else, on the first side with room for `smallest`, as much of
// `wanted` as that room holds. Either way it stays within `screen` (the screen's available
// area) and off the main window. Only where no side has room even for `smallest` does it
// cover part of the main window: at its smallest width (or height, below), against the edge
// of the screen where it covers the least of `kept`, the buttons before the canvas.
QRect secondaryWindowPlace(const QRect& main, const KeptInView& kept, const QSize& wanted,
                           const QSize& smallest, const QRect& screen);

// Shows `window`, one of the program's windows other than the main window, in front and
// active. When it was hidden (closed, or never shown), it goes where secondaryWindowPlace puts
// it beside `owner`, the main window, as the main window is now, at the size it had (the
// size the user last gave it, not the one its place made it), `smallest` at least; its frame
// taken as the main window's until the window manager has given it one.
void showBeside(QWidget& window, QWidget* owner, const QSize& smallest);

}  // namespace gyrenda
