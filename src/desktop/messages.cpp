#include "desktop/messages.h"

#include <QCoreApplication>
#include <cerrno>
#include <cstring>

#include "files/atomic_file.h"
#include "files/file_head.h"

namespace gyrenda {

QString messageText(const Message& message) {
  const QString file = QString::fromStdString(message.file);
  switch (message.id) {
    case MessageId::CannotBeBuilt:
      return QCoreApplication::translate("Messages", "このリンクは実現できないと思う。");
    case MessageId::AssistantOn:
      return QCoreApplication::translate("Messages", "test");
    case MessageId::AssistantOff:
      return QCoreApplication::translate("Messages", "good bye");
    // Both arguments go in at once, so a "%2" in a file name stays as it is.
    case MessageId::SaveFailed:
      return QCoreApplication::translate("Messages", "「%1」を保存できませんでした。\n%2")
          .arg(file, saveFailureText(message.error));
    case MessageId::ImageNotEncoded:
      return QCoreApplication::translate("Messages", "「%1」を保存できませんでした。\n%2")
          .arg(file, QCoreApplication::translate("Messages", "画像を作れませんでした。"));
    case MessageId::PrintFailed:
      return QCoreApplication::translate("Messages", "印刷できませんでした。\n%1")
          .arg(QString::fromStdString(message.detail));
    case MessageId::LoadFailed:
      return openFailureText(file) + QLatin1Char('\n') + loadFailureText(message.error);
  }
  return {};
}

QString saveFailureText(int error) {
  switch (saveFailureOf(error)) {
    case SaveFailure::FolderMissing:
      return QCoreApplication::translate("Messages", "フォルダがありません。");
    case SaveFailure::PermissionDenied:
      return QCoreApplication::translate("Messages", "書き込みの権限がありません。");
    case SaveFailure::DiskFull:
      return QCoreApplication::translate("Messages", "ディスクがいっぱいです。");
    case SaveFailure::NameTooLong:
      return QCoreApplication::translate("Messages", "名前が長すぎます。");
    case SaveFailure::ReadOnlyFileSystem:
      return QCoreApplication::translate("Messages", "読み取り専用のファイルシステムです。");
    case SaveFailure::IsAFolder:
      return QCoreApplication::translate("Messages", "同じ名前のフォルダがあります。");
    case SaveFailure::NoReader:
      return QCoreApplication::translate("Messages", "読み出すプログラムがありません。");
    case SaveFailure::ReaderWentAway:
      return QCoreApplication::translate("Messages", "読み出すプログラムが途中で終わりました。");
    case SaveFailure::ReaderStopped:
      return QCoreApplication::translate("Messages", "読み出すプログラムが読み取りません。");
    case SaveFailure::UnsupportedKindOfFile:
      return QCoreApplication::translate("Messages", "この種類のファイルには保存できません。");
    case SaveFailure::LinkLoop:
      return QCoreApplication::translate("Messages", "シンボリックリンクが循環しています。");
    case SaveFailure::Other:
      break;
  }
  // The C library words its errors in the locale's language and encoding.
  return QString::fromLocal8Bit(std::strerror(error));
}

QString loadFailureText(int error) {
  switch (error) {
    case 0:
      return QCoreApplication::translate(
          "Messages", "Gyrendaの数値データファイルではないか、パラメータの行が途中で切れているか正しくありません。");
    case kNotARegularFile:
      return QCoreApplication::translate("Messages", "ふつうのファイルではありません。");
    case ENOENT:
      return QCoreApplication::translate("Messages", "ファイルがありません。");
    case EACCES:
    case EPERM:
      return QCoreApplication::translate("Messages", "読み取りの権限がありません。");
    default:
      // The C library words its errors in the locale's language and encoding.
      return QString::fromLocal8Bit(std::strerror(error));
  }
}

QString openFailureText(const QString& path) {
  return QCoreApplication::translate("Messages",
                                     "「%1」はGyrenda数値データとして読み込めませんでした。")
      .arg(path);
}

QString noPrinterText() {
  return QCoreApplication::translate(
      "Messages", "使えるプリンタがありません。PDFファイルへの印刷を選べます。");
}

}  // namespace gyrenda
