// 歩行脚: the walking-leg synthesis's page of the synthesis dialog. The stride, lift, stance
// share, flatness, ground direction and least transmission angle asked for; the ranked legs
// with their measured figures; the selected leg's foot path over the canvas with its stance in
// a second colour; 適用 into the boxes as one step. The bounds, the view and size limits and
// the seed are the path page's. The search runs in a thread of its own; 停止 ends it within a
// fraction of a second.
#pragma once

#include <QElapsedTimer>
#include <QWidget>
#include <functional>
#include <vector>

#include "desktop/background_job.h"
#include "kinematics/vec2.h"
#include "synthesis/gait_synthesis.h"

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace gyrenda {

// What the user reads of a request the search refused, or of a search that found nothing.
QString gaitProblemText(const GaitResult& result);

class GaitPage final : public QWidget {
  Q_OBJECT

 public:
  // `currentDesign` gives the design in the boxes, `search` the path page's bounds and seed.
  GaitPage(std::function<ParameterSet()> currentDesign, std::function<SynthesisOptions()> search,
           QWidget* parent = nullptr);

  GaitOptions options() const;
  bool searching() const { return job_.running(); }
  const GaitResult& result() const { return result_; }
  const GaitCandidate* selected() const;
  void setApplyAllowed(bool allowed);

  // The selected leg's foot path over one turn and its stance, in the program's frame (world
  // units, y upwards), as the canvas draws them; empty without a selection.
  std::vector<Vec2> footPath() const;
  std::vector<Vec2> stancePath() const;

  void start();  // 開始
  void stop();   // 停止
  void abandon();  // ends a search in progress and drops what it found

 signals:
  void footPathChanged();
  void applyRequested(const ParameterSet& candidate);

 private:
  QWidget* buildRequest();
  QWidget* buildCandidates();
  void finish(GaitResult result);
  void showResult();
  void showState();
  void say(const QString& text, bool problem);
  // The selected leg's foot from crank angle `from` over `span` degrees.
  std::vector<Vec2> footFrom(double from, double span) const;

  std::function<ParameterSet()> currentDesign_;
  std::function<SynthesisOptions()> search_;
  BackgroundJob<GaitResult> job_;
  QElapsedTimer clock_;
  GaitResult result_;
  GaitOptions resultOptions_;
  bool applyAllowed_ = true;

  QDoubleSpinBox *stride_ = nullptr, *lift_ = nullptr, *stance_ = nullptr, *flatness_ = nullptr,
                 *groundAngle_ = nullptr, *minAngle_ = nullptr;
  QCheckBox* freeFrame_ = nullptr;
  QPushButton *start_ = nullptr, *stop_ = nullptr, *apply_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLabel *elapsed_ = nullptr, *status_ = nullptr, *frameNote_ = nullptr;
  QTableWidget* table_ = nullptr;
};

}  // namespace gyrenda
