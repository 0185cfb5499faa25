#include "desktop/animation_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "canvas/view_fit.h"
#include "desktop/charts.h"
#include "files/atomic_file.h"
#include "kinematics/mechanism_extent.h"

namespace gyrenda {

namespace {

// The longest delay the file can hold: 65535 hundredths of a second, in whole tens of ms.
constexpr int kMostDelayMs = 655350;

// The name the file dialog gave, with .gif added unless it ends in it already, in any case.
QString withGifExtension(const QString& name) {
  return name.endsWith(QStringLiteral(".gif"), Qt::CaseInsensitive) ? name
                                                                     : name + QStringLiteral(".gif");
}

}  // namespace

AnimationDialog::AnimationDialog(const Linkage& linkage, const View& view,
                                 const AnimationGifOptions& options, QWidget* parent)
    : QDialog(parent), linkage_(linkage), view_(view), base_(options),
      job_(this, [this](const WorkProgress& p) { showProgress(p); },
           [this](AnimationGif gif) { done(std::move(gif)); }) {
  setObjectName(QStringLiteral("animationDialog"));
  setWindowTitle(tr("アニメーションを保存"));
  buildControls();
  connect(step_, &QDoubleSpinBox::valueChanged, this, [this] { showFrameCount(); });
  connect(save_, &QPushButton::clicked, this, [this] { askPathAndSave(); });
  connect(stop_, &QPushButton::clicked, this, [this] { job_.stop(); });
  connect(close_, &QPushButton::clicked, this, [this] { reject(); });
  showFrameCount();
  showBusy(false);
}

void AnimationDialog::buildControls() {
  auto* form = new QFormLayout;
  step_ = new QDoubleSpinBox(this);
  step_->setObjectName(QStringLiteral("crankStep"));
  step_->setRange(0.5, 180.0);
  step_->setSingleStep(0.5);
  step_->setDecimals(1);
  step_->setSuffix(QStringLiteral("°"));
  step_->setValue(base_.crankStep);
  frameCount_ = new QLabel(this);
  frameCount_->setObjectName(QStringLiteral("frameCount"));
  auto* stepRow = new QHBoxLayout;
  stepRow->addWidget(step_);
  stepRow->addWidget(frameCount_, 1);
  form->addRow(tr("1コマのクランク角"), stepRow);
  delay_ = new QSpinBox(this);
  delay_->setObjectName(QStringLiteral("frameDelay"));
  delay_->setRange(0, kMostDelayMs);
  delay_->setSingleStep(10);
  delay_->setSuffix(QStringLiteral(" ms"));
  delay_->setSpecialValueText(tr("自動（1回転を約3秒）"));
  form->addRow(tr("1コマの表示時間"), delay_);
  size_ = new QComboBox(this);
  size_->setObjectName(QStringLiteral("pictureSize"));
  size_->addItem(tr("キャンバスと同じ (%1 × %2)").arg(Raster::kWidth).arg(Raster::kHeight));
  size_->addItem(tr("半分 (%1 × %2)").arg(kHalfWidth).arg(kHalfHeight));
  form->addRow(tr("大きさ"), size_);
  sixBar_ = new QCheckBox(tr("6節リンクも動かす"), this);
  sixBar_->setObjectName(QStringLiteral("moveSixBar"));
  sixBar_->setChecked(base_.run.sixBar);
  loop_ = new QCheckBox(tr("繰り返し再生する"), this);
  loop_->setObjectName(QStringLiteral("loopForever"));
  loop_->setChecked(base_.loopForever);
  fit_ = new QCheckBox(tr("機構全体が入る表示にする（全体表示）"), this);
  fit_->setObjectName(QStringLiteral("fitView"));
  // Ticked where the window's view cuts the mechanism off.
  const Extent whole = mechanismExtent(makeExactLinkage(linkage_.parameters), base_.run.sixBar);
  fit_->setChecked(!holds(view_, whole));
  form->addRow(QString(), sixBar_);
  form->addRow(QString(), fit_);
  form->addRow(QString(), loop_);
  progress_ = new QProgressBar(this);
  progress_->setObjectName(QStringLiteral("progress"));
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("status"));
  save_ = new QPushButton(tr("保存…"), this);
  save_->setObjectName(QStringLiteral("save"));
  stop_ = new QPushButton(tr("停止"), this);
  stop_->setObjectName(QStringLiteral("stop"));
  close_ = new QPushButton(tr("閉じる"), this);
  close_->setObjectName(QStringLiteral("close"));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  for (QPushButton* b : {save_, stop_, close_}) {
    b->setAutoDefault(false);
    buttons->addWidget(b);
  }
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(progress_);
  layout->addWidget(status_);
  layout->addLayout(buttons);
}

AnimationGifOptions AnimationDialog::options() const {
  AnimationGifOptions o = base_;
  o.crankStep = step_->value();
  o.delayCentiseconds = (delay_->value() + 5) / 10;
  o.halfSize = size_->currentIndex() == 1;
  o.run.sixBar = sixBar_->isChecked();
  o.loopForever = loop_->isChecked();
  return o;
}

void AnimationDialog::showFrameCount() {
  frameCount_->setText(tr("%1コマ").arg(gifFrameCount(step_->value())));
}

void AnimationDialog::askPathAndSave() {
  const QString name = QFileDialog::getSaveFileName(this, tr("アニメーションを保存"),
                                                    QStringLiteral("gyrenda.gif"),
                                                    tr("GIFアニメーション (*.gif)"));
  if (!name.isEmpty()) saveTo(withGifExtension(name).toStdString());
}

void AnimationDialog::saveTo(const std::string& path) {
  if (busy()) return;
  path_ = path;
  status_->clear();
  showBusy(true);
  View view = view_;
  if (fit_->isChecked())
    view = fitView(mechanismExtent(makeExactLinkage(linkage_.parameters), sixBar_->isChecked()))
               .view.value_or(view_);
  job_.start([linkage = linkage_, view, options = options()](WorkProgress& progress) {
    return makeAnimationGif(linkage, view, options, progress);
  });
}

void AnimationDialog::showProgress(const WorkProgress& p) {
  progress_->setValue(static_cast<int>(p.share() * 100.0));
}

void AnimationDialog::done(AnimationGif gif) {
  showBusy(false);
  if (gif.stopped) {
    status_->setText(tr("停止しました。ファイルは書いていません。"));
    emit finished(false);
    return;
  }
  const int error = gif.bytes ? saveFile(path_, *gif.bytes) : -1;
  reportSaveFailure(this, path_, error);
  status_->setText(error == 0 ? tr("保存しました。") : tr("保存できませんでした。"));
  emit finished(error == 0);
}

void AnimationDialog::showBusy(bool busy) {
  for (QWidget* w : std::initializer_list<QWidget*>{step_, delay_, size_, sixBar_, loop_, save_})
    w->setEnabled(!busy);
  stop_->setEnabled(busy);
  if (!busy) return;
  progress_->setValue(0);
}

}  // namespace gyrenda
