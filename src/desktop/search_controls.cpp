#include "desktop/search_controls.h"

#include <QLabel>
#include <QPushButton>

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

}  // namespace gyrenda
