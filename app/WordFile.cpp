#include "app/WordFile.h"

#include "platform/text/AnsiCodePage.h"

#include <QFile>

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

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(const QByteArray& bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const unsigned c = p[i];
        int extra;
        unsigned minimum;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1;
            minimum = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2;
            minimum = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3;
            minimum = 0x10000;
        } else {
            return false;
        }
        if (n - i <= extra) return false;
        unsigned cp = c & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            const unsigned cc = p[i + k];
            if ((cc & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += extra + 1;
    }
    return true;
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
