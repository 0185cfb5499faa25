// 軌跡合成: the points the output point must pass through, the search's conditions, and the
// ranked linkages it finds. The dialog is not modal: the main window stays usable, and a
// double-click on its canvas adds a point while the dialog is open. The search runs in a
// thread of its own; 停止, and closing the dialog, end it within a fraction of a second.
#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "desktop/background_job.h"
#include "kinematics/vec2.h"
#include "linkage/parameters.h"
#include "synthesis/path_synthesis.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QDoubleSpinBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace gyrenda {

class SliderPage;
class GaitPage;

// What the user reads of a search that found nothing, or was stopped; `rows` are the table's
// rows (from 1) of the targets the problem concerns.
QString synthesisProblemText(SynthesisProblem problem, const std::vector<int>& rows = {});

class SynthesisDialog final : public QDialog {
  Q_OBJECT

 public:
  // `currentDesign` gives the design in the boxes, whose six-bar a candidate keeps; the
  // window commits the edit in progress first, as every command does.
  explicit SynthesisDialog(std::function<ParameterSet()> currentDesign, QWidget* parent = nullptr);

  // The points of the table's rows that hold two numbers, in their order.
  std::vector<Vec2> targets() const;
  // Their crank angles (degrees after the first's) where any row has one; else empty.
  std::vector<double> timing() const;
  // Appends a point as a new row.
  void addTarget(Vec2 point);
  // Takes the points of a CSV file (with their angles) or of a DXF drawing's curve (spaced
  // along it by the sample count's field where it is not 0); when the table holds points
  // already, asks whether they replace them or follow them. False, with the reason shown, when the file cannot be read
  // or holds no points, or when the user cancels.
  bool importTargets(const QString& path);
  // Appends the points of the clipboard's text.
  void pasteTargets();
  // What the canvas draws: the points moved into the program's frame by the selected
  // candidate's pivot and angle, or as typed when there is no such candidate.
  std::vector<Vec2> shownTargets() const;

  SynthesisOptions options() const;
  // What the walking leg's search takes of this page: its settings, but the default ranges
  // while the ranges follow the path's targets, which say nothing of a leg (as --gait without
  // --bound).
  SynthesisOptions legOptions() const;
  bool searching() const { return job_.running(); }
  const SynthesisResult& result() const { return result_; }
  // The selected candidate, if any.
  const SynthesisCandidate* selected() const;
  // The candidates were found for other points than the table holds now.
  bool stale() const;
  // The main window allows 適用 only while no analysis runs.
  void setApplyAllowed(bool allowed);

  void start();  // 開始
  void stop();   // 停止: the search ends at once and keeps what it found
  SliderPage* sliderPage() const { return slider_; }

  // The 歩行脚 page: the walking-leg synthesis, with this page's bounds and seed.
  GaitPage* gaitPage() const { return gaitPage_; }

 signals:
  // The points the canvas shows changed, or the dialog was shown or hidden.
  void targetsChanged();
  // 適用 of the selected candidate.
  void applyRequested(const ParameterSet& candidate);
  // 適用 on the スライダ page: the candidate's six-bar values, the six-bar to be analysed.
  void sliderApplyRequested(const ParameterSet& candidate);

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QWidget* buildTargets();
  QWidget* buildConditions();
  QWidget* buildCandidates();
  // The points of the rows that hold two numbers, and those rows into `rows`.
  std::vector<Vec2> readTargets(std::vector<int>* rows) const;
  bool rowEmpty(int row) const;
  void setRows(const std::vector<Vec2>& points, const std::vector<double>& angles, bool append);
  int insertTargetRow();
  void showTargetFigures(const SynthesisCandidate* candidate);
  void addRow();
  void applySelected();
  // Asks `question` with the answers `buttons`, the last the one Esc gives; the index of the
  // answer.
  int ask(const QString& question, const QStringList& buttons, int defaultAnswer);
  void askAndImport();
  void showProgress(const WorkProgress& progress);
  void finish(SynthesisResult result);
  // Ends a search in progress and waits for it; what it found is dropped.
  void abandon();
  void showResult();
  void showSelection();
  void showStale();
  void showState();
  void say(const QString& text, bool problem);
  // Compact (synthesis_dialog_compact.cpp): the rows of the view and size limits, the raster
  // ranking and the bounds scaled to the targets, from `row` of the conditions' grid; returns
  // the row after them. What they ask, into `o`; the bounds' fields from the targets while
  // 範囲を目標点に合わせる is ticked; a candidate's raster count as the table shows it.
  int addCompactRows(QGridLayout* form, int row);
  void takeCompactOptions(SynthesisOptions& o) const;
  void fillScaledBounds();
  static QString rasterText(const SynthesisCandidate& c);

  std::function<ParameterSet()> currentDesign_;
  BackgroundJob<SynthesisResult> job_;
  QElapsedTimer clock_;
  double lastElapsed_ = 0;
  SynthesisResult result_;
  std::vector<Vec2> resultTargets_;  // the points result_ was found for
  std::vector<int> resultRows_;      // and their rows
  bool resultFreeFrame_ = false;
  SynthesisRanking resultRanking_ = SynthesisRanking::Rms;
  bool resultKeepOrder_ = false;
  std::vector<double> resultTiming_;
  bool applyAllowed_ = true;

  QTableWidget* targetTable_ = nullptr;
  QSpinBox* sampleCount_ = nullptr;
  QCheckBox* keepOrder_ = nullptr;
  QDoubleSpinBox* minAngle_ = nullptr;
  std::array<std::array<QDoubleSpinBox*, 2>, 6> bounds_{};  // crank … output across; low, high
  QCheckBox* freeFrame_ = nullptr;
  QCheckBox* mirror_ = nullptr;
  QComboBox* ranking_ = nullptr;
  QSpinBox* seed_ = nullptr;
  QCheckBox* scaleBounds_ = nullptr;
  QCheckBox* fitView_ = nullptr;
  QDoubleSpinBox* maxSize_ = nullptr;
  QCheckBox* rasterFirst_ = nullptr;
  QPushButton* start_ = nullptr;
  QPushButton* stop_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLabel* elapsed_ = nullptr;
  QLabel* status_ = nullptr;
  QGroupBox* candidateBox_ = nullptr;
  QTableWidget* candidateTable_ = nullptr;
  QLabel* frameNote_ = nullptr;
  QLabel* staleNote_ = nullptr;
  QPushButton* apply_ = nullptr;
  SliderPage* slider_ = nullptr;  // the スライダ tab
  GaitPage* gaitPage_ = nullptr;
};

}  // namespace gyrenda
