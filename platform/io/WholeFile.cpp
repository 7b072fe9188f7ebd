#include "platform/io/WholeFile.h"

#include <QSaveFile>

namespace plat {

bool FileWriteWhole(const QString& fileName, const QByteArray& bytes) {
    if (fileName.isEmpty()) return false;
    QSaveFile file(fileName);
    // In a folder where no temporary file can be made, an existing file is rewritten in
    // place instead of refusing the save.
    file.setDirectWriteFallback(true);
    // Unbuffered: a write error that only showed while flushing a buffer at commit() time
    // would not stop the commit, and a truncated file would replace the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0) {
            file.cancelWriting();
            return false;
        }
        done += n;
    }
    if (!file.flush() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace plat
