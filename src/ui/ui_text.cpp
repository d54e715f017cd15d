#include "ui/ui_text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace mrv::ui {

QString FromGameText(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToGameText(const QString& text) {
  return text.toLatin1().toStdString();
}

QString MessageText(std::string_view text) {
  const QByteArrayView bytes(text.data(), static_cast<qsizetype>(text.size()));
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString decoded = utf8.decode(bytes);
  if (utf8.hasError()) decoded = QString::fromLatin1(bytes);
  return PlainLineBreaks(std::move(decoded));
}

QString PlainLineBreaks(QString text) {
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  text.replace(QLatin1String("\n\r"), QLatin1String("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

QString PathText(const std::filesystem::path& path) {
  return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

std::filesystem::path PathFromText(const QString& text) {
  return std::filesystem::path(QFile::encodeName(text).toStdString());
}

std::string DirectoryOf(const QString& file) {
  QString dir = QDir::toNativeSeparators(QFileInfo(file).absolutePath());
  if (!dir.endsWith(QDir::separator())) dir += QDir::separator();
  return QFile::encodeName(dir).toStdString();
}

}  // namespace mrv::ui
