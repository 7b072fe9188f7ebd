#include "app/WordFile.h"

#include "platform/text/AnsiCodePage.h"

#include <QFile>
#include <QStringDecoder>

namespace {

QString DecodeUtf16(const QByteArray& bytes, qsizetype offset, bool bigEndian) {
    const qsizetype units = (bytes.size() - offset) / 2; // an odd last byte is dropped
    QString text(units, Qt::Uninitialized);
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData() + offset);
    for (qsizetype i = 0; i < units; ++i) {
        const unsigned hi = data[2 * i + (bigEndian ? 0 : 1)];
        const unsigned lo = data[2 * i + (bigEndian ? 1 : 0)];
        text[i] = QChar(static_cast<char16_t>((hi << 8) | lo));
    }
    return text;
}

bool IsValidUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    (void)decoder.decode(bytes);
    return !decoder.hasError();
}

} // namespace

QString WordFileDecode(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE")) return DecodeUtf16(bytes, 2, false);
    if (bytes.startsWith("\xFE\xFF")) return DecodeUtf16(bytes, 2, true);
    if (IsValidUtf8(bytes)) return QString::fromUtf8(bytes);
    return plat::DecodeCodePage932(bytes);
}

QStringList WordFileLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n') continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    if (start < n) lines.append(text.mid(start));
    return lines;
}

std::optional<QStringList> WordFileRead(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return std::nullopt;
    return WordFileLines(WordFileDecode(bytes));
}
