// The controls every page of the synthesis dialog shares: 開始, 停止 and 適用 and a status line.
#pragma once

#include <QCoreApplication>
#include <QString>

#include <cstddef>

class QHBoxLayout;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace gyrenda {

struct SearchControls {
  Q_DECLARE_TR_FUNCTIONS(gyrenda::SearchControls)

 public:
  QPushButton* start = nullptr;
  QPushButton* stop = nullptr;
  QPushButton* apply = nullptr;
  QLabel* status = nullptr;

  // 開始 while no search runs, 停止 while one does, 適用 while none runs and a candidate may be
  // applied.
  void show(bool running, bool applicable) const;
  // The status line's text, in red where it names a problem.
  void say(const QString& text, bool problem) const;
  // What a search that ended says: the `problem` that stopped it in red (empty for none), a
  // stop plainly where it found candidates, otherwise how many it found.
  void sayOutcome(const QString& problem, bool stopped, std::size_t found) const;
};

// A page's 開始 and 停止, its progress bar (1000 steps), elapsed time and word-wrapped status
// line, new, named `prefix` and Start, Stop, Progress, Elapsed and Status (start, stop … with an
// empty prefix); returns the row of the first four.
QHBoxLayout* newSearchRow(const QString& prefix, QPushButton*& start, QPushButton*& stop,
                          QProgressBar*& progress, QLabel*& elapsed, QLabel*& status);

// Empties a page's table of candidates and gives it a row for each of `count`, `most` at the
// most; returns how many rows it has.
int clearCandidateRows(QTableWidget* table, std::size_t count, int most);

}  // namespace gyrenda
