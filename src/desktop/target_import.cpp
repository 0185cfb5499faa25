#include "desktop/target_import.h"

#include <QCoreApplication>
#include <QFile>
#include <cstring>

#include "files/file_head.h"
#include "synthesis/target_dxf.h"
#include "synthesis/target_list.h"

namespace gyrenda {
namespace {

// A drawing traced in CAD may be large; a list of 200 points is far below this.
constexpr std::size_t kImportLimit = 64 << 20;

struct TargetImport {
  Q_DECLARE_TR_FUNCTIONS(gyrenda::TargetImport)
};

// Why a file could not be read, in the user's words.
QString readFailureText(int error) {
  return error == kNotARegularFile ? TargetImport::tr("ふつうのファイルではありません")
                                   : QString::fromLocal8Bit(std::strerror(error));
}

ImportedTargets fromDrawing(const std::string& bytes, int sample) {
  ImportedTargets read;
  const DxfTrace trace = readDxfTrace(bytes);
  if (trace.problem == DxfTraceProblem::NotDxf) {
    read.reason = TargetImport::tr("DXF の図面として読めません");
  } else if (trace.problem == DxfTraceProblem::NoCurve) {
    read.reason = TargetImport::tr("ポリライン、線、点、スプラインがありません");
  } else {
    read.points = sample > 0 ? sampleAlong(trace.curve, sample) : trace.curve.points;
    read.traced = (trace.curve.closed ? TargetImport::tr("閉じた %1（画層 %2）")
                                      : TargetImport::tr("%1（画層 %2）"))
                      .arg(QString::fromStdString(trace.entity), QString::fromStdString(trace.layer));
  }
  return read;
}

}  // namespace

ImportedTargets importTargetFile(const QString& path, int sample) {
  const FileHead head = readFileHead(QFile::encodeName(path).toStdString(), kImportLimit);
  ImportedTargets read;
  if (head.error) read.reason = readFailureText(head.error);
  else if (head.larger) read.reason = TargetImport::tr("64 MiB を超えています");
  else if (path.endsWith(QStringLiteral(".dxf"), Qt::CaseInsensitive) || looksLikeDxf(head.bytes))
    read = fromDrawing(head.bytes, sample);
  else if (const TargetList list = readTargetList(head.bytes); list.badLine)
    read.reason = TargetImport::tr("%1 行目が x, y の二つの数（または番号, x, y や x, y, 角度）ではありません")
                      .arg(list.badLine);
  else
    read.points = list.points, read.timing = list.timing;
  if (read.reason.isEmpty() && read.points.empty()) read.reason = TargetImport::tr("点がありません");
  return read;
}

}  // namespace gyrenda
