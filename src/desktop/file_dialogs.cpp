#include "desktop/file_dialogs.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QRadioButton>
#include <algorithm>
#include <array>
#include <optional>
#include <utility>

#include "encoders/canvas_image.h"

namespace gyrenda {
namespace {

// The context the dialogs' and the printer's words are translated in.
struct FileDialogs {
  Q_DECLARE_TR_FUNCTIONS(FileDialogs)
};

// The file types of the save dialog in the order it lists them: the kind each saves, its
// filter and the extension it adds to a name that has none of them. A filter's text is
// translated where it is shown; a translation must keep the patterns in parentheses, which the
// dialog filters by.
struct SaveType {
  SaveFormat format;
  const char* filter;
  const char* extension;
};
constexpr const char* kBitmapFilter = QT_TRANSLATE_NOOP("FileDialogs", "Bitmap画像データ(*.BMP)");
constexpr const char* kDataFilter = QT_TRANSLATE_NOOP("FileDialogs", "Gyrenda数値データ(*.GYR)");
constexpr std::array<SaveType, 5> kSaveTypes{{
    {SaveFormat::Bitmap, kBitmapFilter, ".BMP"},
    {SaveFormat::DataFile, kDataFilter, ".GYR"},
    {SaveFormat::Png, QT_TRANSLATE_NOOP("FileDialogs", "PNG画像(*.png)"), ".png"},
    {SaveFormat::Svg, QT_TRANSLATE_NOOP("FileDialogs", "SVG図面(*.svg)"), ".svg"},
    {SaveFormat::Dxf, QT_TRANSLATE_NOOP("FileDialogs", "DXF図面(*.dxf)"), ".dxf"}}};
constexpr const char* kAllFilesFilter = QT_TRANSLATE_NOOP("FileDialogs", "すべてのファイル (*)");

// The canvas is shown at 96 pixels per inch; a print keeps that physical size.
constexpr double kScreenDpi = 96.0;

// The dialog reports the filter as it showed it, so it is compared in the same words.
const SaveType* saveTypeOf(const QString& filter) {
  const auto* type = std::ranges::find_if(
      kSaveTypes, [&filter](const SaveType& t) { return filter == FileDialogs::tr(t.filter); });
  return type == kSaveTypes.end() ? nullptr : type;
}

// The save dialog adds the chosen type's extension to a typed name that does not already end
// in one of the program's own (in any case). It does so before Qt's own checks, so that the
// question before overwriting is asked about the name that will be written. A "." elsewhere
// in the name does not count: the proposed names hold decimal points.
class SaveDialog final : public QFileDialog {
 public:
  using QFileDialog::QFileDialog;

  // Qt's own dialog replaces whatever follows the last "." of the name by the extension of the
  // file type the user picks, even the type already chosen, so "R 2.5_A 36_B 36_L 31_C 72_D 0"
  // would become "R 2.GYR". The type follows the filter and never the name, so the name is
  // kept as it stands: it is noted when the user turns to the type list, by a key or the wheel
  // on it or by opening it (no name can be typed while it is open), and put back once the pick
  // has been handled, after Qt's own handler, which was connected when the dialog made the list.
  void keepNameWhenTypeChanges() {
    types_ = findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    name_ = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (!types_ || !name_) return;
    typesPopup_ = types_->view()->parentWidget();
    types_->installEventFilter(this);
    typesPopup_->installEventFilter(this);
    connect(types_, &QComboBox::activated, this, [this] {
      if (nameBeforePick_) name_->setText(*std::exchange(nameBeforePick_, std::nullopt));
    });
  }

  void accept() override {
    auto* name = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    const QString typed = name ? name->text() : QString();
    const bool ownExtension = std::ranges::any_of(kSaveTypes, [&typed](const SaveType& type) {
      return typed.endsWith(QLatin1String(type.extension), Qt::CaseInsensitive);
    });
    const SaveType* type = saveTypeOf(selectedNameFilter());
    if (type && !typed.isEmpty() && !ownExtension && !QFileInfo(directory(), typed).isDir())
      name->setText(typed + QLatin1String(type->extension));
    QFileDialog::accept();
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if ((watched == types_ && (type == QEvent::KeyPress || type == QEvent::Wheel)) ||
        (watched == typesPopup_ && type == QEvent::Show))
      nameBeforePick_ = name_->text();
    return QFileDialog::eventFilter(watched, event);
  }

 private:
  QComboBox* types_ = nullptr;
  QWidget* typesPopup_ = nullptr;
  QLineEdit* name_ = nullptr;
  std::optional<QString> nameBeforePick_;
};

// The print dialog of a one-page document. With CUPS, Qt offers a page range even when the
// dialog is told not to (the server could pick pages), so the choice is switched off once Qt
// has laid the dialog out for showing.
class OnePagePrintDialog final : public QPrintDialog {
 public:
  using QPrintDialog::QPrintDialog;

  void setVisible(bool visible) override {
    QPrintDialog::setVisible(visible);
    if (!visible) return;
    if (auto* all = findChild<QRadioButton*>(QStringLiteral("printAll"))) all->setChecked(true);
    for (const char* name :
         {"printRange", "pagesRadioButton", "from", "to", "pagesLineEdit", "pageSetCombo"}) {
      if (auto* w = findChild<QWidget*>(QString::fromLatin1(name))) w->setEnabled(false);
    }
  }
};

std::string localPath(const QFileDialog& dialog) {
  const QStringList files = dialog.selectedFiles();
  return files.isEmpty() ? std::string() : files.first().toStdString();
}

}  // namespace

std::optional<SaveChoice> showSaveDialog(QWidget* parent, const std::string& proposedName) {
  SaveDialog dialog(parent);
  // Qt's own dialog, not the desktop's: the same everywhere, and it adds no extension.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
  QStringList filters;
  for (const SaveType& type : kSaveTypes) filters << FileDialogs::tr(type.filter);
  dialog.setNameFilters(filters);
  dialog.selectFile(QString::fromStdString(proposedName));
  dialog.keepNameWhenTypeChanges();
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const SaveType* type = saveTypeOf(dialog.selectedNameFilter());
  if (!type) return std::nullopt;
  return SaveChoice{localPath(dialog), type->format};
}

std::optional<std::string> showOpenDialog(QWidget* parent) {
  QFileDialog dialog(parent);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters({FileDialogs::tr(kDataFilter), FileDialogs::tr(kAllFilesFilter)});
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return localPath(dialog);
}

QRectF canvasPrintRect(QSizeF printable, double dpi) {
  const QSizeF natural(Raster::kWidth * dpi / kScreenDpi, Raster::kHeight * dpi / kScreenDpi);
  const double fit = std::min({1.0, printable.width() / natural.width(),
                               printable.height() / natural.height()});
  return QRectF(QPointF(0, 0), natural * std::max(fit, 0.0));
}

std::optional<int> CanvasPrinter::showPrintDialog(QWidget* parent) {
  printer_.setCopyCount(1);
  printer_.setPrintRange(QPrinter::AllPages);
  printer_.setFromTo(1, 1);
  OnePagePrintDialog dialog(&printer_, parent);
  dialog.setMinMax(1, 1);
  // No page range (there is one page). Printing to a PDF file stays offered, so that there is
  // a choice even where no printer is installed. Set last: setting the page limits turns the
  // page range choice on.
  dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize | QAbstractPrintDialog::PrintToFile);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  // Each copy is printed as a document of its own; a printer that made copies as well
  // would multiply them.
  const int copies = printer_.copyCount();
  printer_.setCopyCount(1);
  return copies;
}

bool CanvasPrinter::hasDestination() const {
  return !printer_.printerName().isEmpty() || !printer_.outputFileName().isEmpty();
}

std::string CanvasPrinter::print(const Raster& canvas) {
  QPainter painter;
  if (!painter.begin(&printer_)) {
    if (!hasDestination())
      return FileDialogs::tr("使えるプリンタがありません。").toStdString();
    return FileDialogs::tr("プリンタに印刷を始められませんでした。").toStdString();
  }
  const QRectF target = canvasPrintRect(QSizeF(printer_.width(), printer_.height()),
                                        printer_.resolution());
  painter.drawImage(target, canvasImage(canvas));
  if (!painter.end() || printer_.printerState() == QPrinter::Error)
    return FileDialogs::tr("プリンタがエラーを返しました。").toStdString();
  return {};
}

}  // namespace gyrenda
