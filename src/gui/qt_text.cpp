#include "gui/qt_text.h"

#include <QStringDecoder>

namespace tessarin {

QString ToQString(std::string_view bytes) {
  const QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(view);
  if (!utf8.hasError())
    return text;
  return QString::fromLatin1(view);
}

std::string ToBytes(const QString& text) {
  return text.toUtf8().toStdString();
}

std::string ToBytesKeeping(const QString& text, const std::string& original) {
  return text == ToQString(original) ? original : ToBytes(text);
}

}  // namespace tessarin
