#include "desktop/search_controls.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>

#include <algorithm>

namespace gyrenda {

void SearchControls::show(bool running, bool applicable) const {
  start->setEnabled(!running);
  stop->setEnabled(running);
  apply->setEnabled(!running && applicable);
}

void SearchControls::say(const QString& text, bool problem) const {
  status->setText(text);
  status->setStyleSheet(problem ? QStringLiteral("color: #c00000;") : QString());
}

void SearchControls::sayOutcome(const QString& problem, bool stopped, std::size_t found) const {
  if (!problem.isEmpty() && !(found > 0 && stopped))
    say(problem, true);
  else if (stopped)
    say(problem, false);
  else
    say(tr("%n 個の候補が見つかりました。", nullptr, static_cast<int>(found)), false);
}

QHBoxLayout* newSearchRow(const QString& prefix, QPushButton*& start, QPushButton*& stop,
                          QProgressBar*& progress, QLabel*& elapsed, QLabel*& status) {
  start = new QPushButton(SearchControls::tr("開始"));
  stop = new QPushButton(SearchControls::tr("停止"));
  progress = new QProgressBar;
  progress->setRange(0, 1000);
  progress->setTextVisible(false);
  elapsed = new QLabel;
  status = new QLabel;
  status->setWordWrap(true);
  const std::pair<QWidget*, const char*> names[] = {
      {start, "Start"}, {stop, "Stop"}, {progress, "Progress"}, {elapsed, "Elapsed"}, {status, "Status"}};
  for (const auto& [w, name] : names) {
    const QString suffix = QString::fromLatin1(name);
    w->setObjectName(prefix.isEmpty() ? suffix.toLower() : prefix + suffix);
  }
  auto* row = new QHBoxLayout;
  row->addWidget(start);
  row->addWidget(stop);
  row->addWidget(progress, 1);
  row->addWidget(elapsed);
  return row;
}

int clearCandidateRows(QTableWidget* table, std::size_t count, int most) {
  const int rows = static_cast<int>(std::min(count, static_cast<std::size_t>(most)));
  table->clearContents();
  table->setRowCount(rows);
  return rows;
}

}  // namespace gyrenda
