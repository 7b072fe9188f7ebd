#include "platform/text/AnsiCodePage.h"

#include <cerrno>
#include <iconv.h>
#include <vector>

namespace plat {

QString DecodeCodePage932(const QByteArray& bytes) {
    iconv_t cd = iconv_open("UTF-16LE", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) return QString::fromLatin1(bytes);

    QString result;
    result.reserve(bytes.size());
    std::vector<char> out(4096);
    char* in = const_cast<char*>(bytes.constData());
    size_t inLeft = static_cast<size_t>(bytes.size());
    auto flush = [&](const char* outPtr) {
        const auto produced = static_cast<qsizetype>(outPtr - out.data());
        result.append(QStringView(reinterpret_cast<const char16_t*>(out.data()), produced / 2));
    };
    while (inLeft > 0) {
        char* outPtr = out.data();
        size_t outLeft = out.size();
        const size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        flush(outPtr);
        if (rc != static_cast<size_t>(-1)) break;
        if (errno == E2BIG) continue; // output buffer full: go on with a fresh one
        // An invalid or truncated sequence: mark one byte and resume after it, so that
        // every call makes progress.
        result.append(QChar(0xFFFD));
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return result;
}

} // namespace plat
