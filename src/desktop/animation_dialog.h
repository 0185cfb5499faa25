// ファイル › アニメーションを保存…: the animated GIF's options, then the file; the frames are
// made off the GUI thread with their progress shown, and 停止 ends them.
#pragma once

#include <QDialog>
#include <QString>
#include <optional>
#include <string>

#include "desktop/background_job.h"
#include "session/animation_gif.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;

namespace gyrenda {

class AnimationDialog final : public QDialog {
  Q_OBJECT

 public:
  // The design and the view as they stand when the dialog opens; `options` gives the
  // six-bar box, the optimisation and the speed of the window's controls.
  AnimationDialog(const Linkage& linkage, const View& view, const AnimationGifOptions& options,
                  QWidget* parent = nullptr);

  // The options as the dialog's controls hold them.
  AnimationGifOptions options() const;
  // Makes the file and saves it to `path` when done (what 保存… does after its file dialog).
  void saveTo(const std::string& path);
  bool busy() const { return job_.running(); }

 signals:
  // The file was saved whole, or it was not (stopped, or a failure already reported).
  void finished(bool saved);

 private:
  void buildControls();
  void askPathAndSave();
  void showProgress(const WorkProgress& progress);
  void done(AnimationGif gif);
  void showBusy(bool busy);
  void showFrameCount();

  Linkage linkage_;
  View view_;
  AnimationGifOptions base_;
  std::string path_;  // where the file in the making goes
  QDoubleSpinBox* step_ = nullptr;
  QLabel* frameCount_ = nullptr;
  QSpinBox* delay_ = nullptr;
  QComboBox* size_ = nullptr;
  QCheckBox* sixBar_ = nullptr;
  QCheckBox* fit_ = nullptr;  // the view that holds the whole mechanism, not the window's
  QCheckBox* loop_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLabel* status_ = nullptr;
  QPushButton* save_ = nullptr;
  QPushButton* stop_ = nullptr;
  QPushButton* close_ = nullptr;
  BackgroundJob<AnimationGif> job_;
};

}  // namespace gyrenda
