// The controls every page of the synthesis dialog shares: 開始, 停止 and 適用 and a status line.
#pragma once

#include <QString>

class QLabel;
class QPushButton;

namespace gyrenda {

struct SearchControls {
  QPushButton* start = nullptr;
  QPushButton* stop = nullptr;
  QPushButton* apply = nullptr;
  QLabel* status = nullptr;

  // 開始 while no search runs, 停止 while one does, 適用 while none runs and a candidate may be
  // applied.
  void show(bool running, bool applicable) const;
  // The status line's text, in red where it names a problem.
  void say(const QString& text, bool problem) const;
};

}  // namespace gyrenda
