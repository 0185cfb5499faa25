#include "desktop/messages.h"

#include <QCoreApplication>
#include <cerrno>
#include <cmath>
#include <cstring>

#include "files/atomic_file.h"
#include "files/file_head.h"

namespace gyrenda {
namespace {

// The context the messages are translated in.
struct Messages {
  Q_DECLARE_TR_FUNCTIONS(Messages)
};

}  // namespace

QString messageText(const Message& message) {
  const QString file = QString::fromStdString(message.file);
  switch (message.id) {
    case MessageId::CannotBeBuilt:
      return Messages::tr("このリンクは実現できないと思う。");
    case MessageId::AssistantOn:
      return Messages::tr("test");
    case MessageId::AssistantOff:
      return Messages::tr("good bye");
    // Both arguments go in at once, so a "%2" in a file name stays as it is.
    case MessageId::SaveFailed:
      return Messages::tr("「%1」を保存できませんでした。\n%2")
          .arg(file, saveFailureText(message.error));
    case MessageId::ImageNotEncoded:
      return Messages::tr("「%1」を保存できませんでした。\n%2")
          .arg(file, Messages::tr("画像を作れませんでした。"));
    case MessageId::PrintFailed:
      return Messages::tr("印刷できませんでした。\n%1")
          .arg(QString::fromStdString(message.detail));
    case MessageId::LoadFailed:
      return openFailureText(file) + QLatin1Char('\n') + loadFailureText(message.error);
    case MessageId::NoViewHolds:
      return Messages::tr("機構全体を表示できる画面がありません。\n"
                          "いちばん広い画面からも %1 mm はみ出します。")
          .arg(std::ceil(message.amount), 0, 'f', 0);
  }
  return {};
}

QString saveFailureText(int error) {
  switch (saveFailureOf(error)) {
    case SaveFailure::FolderMissing:
      return Messages::tr("フォルダがありません。");
    case SaveFailure::PermissionDenied:
      return Messages::tr("書き込みの権限がありません。");
    case SaveFailure::DiskFull:
      return Messages::tr("ディスクがいっぱいです。");
    case SaveFailure::NameTooLong:
      return Messages::tr("名前が長すぎます。");
    case SaveFailure::ReadOnlyFileSystem:
      return Messages::tr("読み取り専用のファイルシステムです。");
    case SaveFailure::IsAFolder:
      return Messages::tr("同じ名前のフォルダがあります。");
    case SaveFailure::NoReader:
      return Messages::tr("読み出すプログラムがありません。");
    case SaveFailure::ReaderWentAway:
      return Messages::tr("読み出すプログラムが途中で終わりました。");
    case SaveFailure::ReaderStopped:
      return Messages::tr("読み出すプログラムが読み取りません。");
    case SaveFailure::UnsupportedKindOfFile:
      return Messages::tr("この種類のファイルには保存できません。");
    case SaveFailure::LinkLoop:
      return Messages::tr("シンボリックリンクが循環しています。");
    case SaveFailure::Other:
      break;
  }
  // The C library words its errors in the locale's language and encoding.
  return QString::fromLocal8Bit(std::strerror(error));
}

QString loadFailureText(int error) {
  switch (error) {
    case 0:
      return Messages::tr(
          "Gyrendaの数値データファイルではないか、パラメータの行が途中で切れているか正しくありません。");
    case kNotARegularFile:
      return Messages::tr("ふつうのファイルではありません。");
    case ENOENT:
      return Messages::tr("ファイルがありません。");
    case EACCES:
    case EPERM:
      return Messages::tr("読み取りの権限がありません。");
    default:
      // The C library words its errors in the locale's language and encoding.
      return QString::fromLocal8Bit(std::strerror(error));
  }
}

QString openFailureText(const QString& path) {
  return Messages::tr("「%1」はGyrenda数値データとして読み込めませんでした。").arg(path);
}

QString noPrinterText() {
  return Messages::tr("使えるプリンタがありません。PDFファイルへの印刷を選べます。");
}

}  // namespace gyrenda
