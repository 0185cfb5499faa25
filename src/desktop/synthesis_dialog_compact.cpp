// The synthesis dialog's compact conditions: candidates within one view of the canvas and a
// size, ranked with those the raster analyses whole first, and bounds scaled to the targets.
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>

#include "desktop/synthesis_dialog.h"
#include "synthesis/compact_fit.h"

namespace gyrenda {

int SynthesisDialog::addCompactRows(QGridLayout* form, int row) {
  const SynthesisOptions defaults;
  scaleBounds_ = new QCheckBox(tr("範囲を目標点の大きさに合わせる"));
  scaleBounds_->setObjectName(QStringLiteral("scaleBounds"));
  scaleBounds_->setToolTip(tr("目標点を囲む長方形の長いほうの辺を E として、長さは E/40（1 以上）から 4E、"
                              "出力点の補正は −4E から 4E にします（1 画面に収めるときは 200 まで）。外すと範囲を自由に"
                              "入力できます。"));
  scaleBounds_->setChecked(true);
  fitView_ = new QCheckBox(tr("機構を 1 画面に収める"));
  fitView_->setObjectName(QStringLiteral("fitView"));
  fitView_->setToolTip(tr("どの候補も、倍率 4 でスクロール −300〜300 の 1 画面に、てこの円も含めて"
                          "収まります。全体表示でどの姿勢も画面の外に出ません。"));
  fitView_->setChecked(defaults.fitView);
  maxSize_ = new QDoubleSpinBox;
  maxSize_->setObjectName(QStringLiteral("maxSize"));
  maxSize_->setRange(0, kParamLimit);
  maxSize_->setDecimals(1);
  maxSize_->setSuffix(QStringLiteral(" mm"));
  maxSize_->setSpecialValueText(tr("制限なし"));
  maxSize_->setToolTip(tr("機構の大きさ（両支点、クランクの円、てこの上半分の円、一回りの軌跡を囲む長方形の"
                          "長いほうの辺）の上限です。"));
  rasterFirst_ = new QCheckBox(tr("解析で全姿勢が見つかる候補を先に"));
  rasterFirst_->setObjectName(QStringLiteral("rasterFirst"));
  rasterFirst_->setToolTip(tr("全体表示の画面で、かめの速さの解析がすべての姿勢を見つける候補を、"
                              "あてはまりがほぼ同じ（最良の 2 倍以内）候補より先に並べます。"));
  rasterFirst_->setChecked(defaults.rasterFirst);
  form->addWidget(scaleBounds_, row, 0, 1, 3);
  form->addWidget(fitView_, row + 1, 0, 1, 3);
  form->addWidget(new QLabel(tr("最大寸法")), row + 2, 0);
  form->addWidget(maxSize_, row + 2, 1, 1, 2);
  form->addWidget(rasterFirst_, row + 3, 0, 1, 3);
  connect(scaleBounds_, &QCheckBox::toggled, this, &SynthesisDialog::fillScaledBounds);
  connect(freeFrame_, &QCheckBox::toggled, this, &SynthesisDialog::fillScaledBounds);
  connect(fitView_, &QCheckBox::toggled, this, &SynthesisDialog::fillScaledBounds);
  connect(this, &SynthesisDialog::targetsChanged, this, &SynthesisDialog::fillScaledBounds);
  fillScaledBounds();
  // The conditions keep their height when the candidates take the dialog's space.
  if (QWidget* box = form->parentWidget()) box->setMinimumHeight(box->sizeHint().height());
  return row + 4;
}

void SynthesisDialog::takeCompactOptions(SynthesisOptions& o) const {
  o.fitView = fitView_->isChecked();
  o.maxSize = maxSize_->value();
  o.rasterFirst = rasterFirst_->isChecked();
}

// While the box is ticked the fields show the ranges the targets give and cannot be edited;
// without targets they keep what they hold. Unticked, they keep the last values to edit.
void SynthesisDialog::fillScaledBounds() {
  const bool scaled = scaleBounds_->isChecked();
  const std::vector<Vec2> points = targets();
  const auto ranges = scaledBounds(points, freeFrame_->isChecked(), fitView_->isChecked());
  for (std::size_t k = 0; k < bounds_.size(); ++k) {
    for (QDoubleSpinBox* spin : bounds_[k]) spin->setEnabled(!scaled);
    if (!scaled || points.empty()) continue;
    bounds_[k][0]->setValue(ranges[k].low);
    bounds_[k][1]->setValue(ranges[k].high);
  }
}

QString SynthesisDialog::rasterText(const SynthesisCandidate& c) {
  if (c.rasterSteps == 0) return tr("未測定");
  return QStringLiteral("%1 / %2").arg(c.rasterPoses).arg(c.rasterSteps) +
         (c.rasterWhole() ? QString() : QStringLiteral(" ⚠"));
}

}  // namespace gyrenda
