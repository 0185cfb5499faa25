// The version window: the program's name, purpose and version over its own picture.
#pragma once

#include <QDialog>
#include <QPixmap>

class QPaintEvent;

namespace gyrenda {

class VersionWindow final : public QDialog {
  Q_OBJECT

 public:
  explicit VersionWindow(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void addCaptions();
  void addOkButton();

  QPixmap picture_{QStringLiteral(":/version/background.png")};
};

}  // namespace gyrenda
