// Bytes to QString for display and drawing.
#include "platform/ByteText.h"

#include <QStringDecoder>

namespace fsc {

QString BytesToQString(std::string_view bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QByteArrayView view(bytes.data(), qsizetype(bytes.size()));
    QString text = utf8.decode(view);
    if (!utf8.hasError()) return text;
    return QString::fromLatin1(view);
}

}  // namespace fsc
