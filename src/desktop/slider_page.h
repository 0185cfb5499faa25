// スライダ: the synthesis dialog's page that finds the six-bar link and slide for a stroke and a
// time ratio of the slider, for the four-bar in the boxes. The search runs in a thread of its
// own; 停止, and closing the dialog, end it within a fraction of a second.
#pragma once

#include <QElapsedTimer>
#include <QWidget>
#include <functional>

#include "desktop/background_job.h"
#include "linkage/parameters.h"
#include "synthesis/slider_synthesis.h"

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace gyrenda {

// What the user reads of a search that found nothing, or was stopped.
QString sliderProblemText(const SliderResult& result, const SliderOptions& options);

class SliderPage final : public QWidget {
  Q_OBJECT

 public:
  // `currentDesign` gives the design in the boxes, whose four-bar the slider is found for.
  explicit SliderPage(std::function<ParameterSet()> currentDesign, QWidget* parent = nullptr);

  SliderOptions options() const;
  bool searching() const { return job_.running(); }
  const SliderResult& result() const { return result_; }
  const SliderCandidate* selected() const;
  void setApplyAllowed(bool allowed);

  void start();  // 開始
  void stop();   // 停止
  // Ends a search in progress and waits for it; what it found is dropped.
  void abandon();

 signals:
  // 適用 of the selected candidate: its six-bar values into the boxes, the six-bar analysed.
  void applyRequested(const ParameterSet& candidate);

 private:
  QWidget* buildConditions();
  void finish(SliderResult result);
  void showResult();
  void showState();
  void say(const QString& text, bool problem);

  std::function<ParameterSet()> currentDesign_;
  BackgroundJob<SliderResult> job_;
  QElapsedTimer clock_;
  SliderResult result_;
  SliderOptions resultOptions_;
  bool applyAllowed_ = true;

  QDoubleSpinBox* stroke_ = nullptr;
  QCheckBox* ratioAsked_ = nullptr;
  QDoubleSpinBox* ratio_ = nullptr;
  QDoubleSpinBox* minAngle_ = nullptr;
  QCheckBox* angleFixed_ = nullptr;
  QDoubleSpinBox* slideAngle_ = nullptr;
  QCheckBox* fitView_ = nullptr;
  QSpinBox* seed_ = nullptr;
  QPushButton* start_ = nullptr;
  QPushButton* stop_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLabel* elapsed_ = nullptr;
  QLabel* status_ = nullptr;
  QTableWidget* table_ = nullptr;
  QPushButton* apply_ = nullptr;
};

}  // namespace gyrenda
