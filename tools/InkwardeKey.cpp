// inkwarde-key CODE: sends an express-key code to the running インクワード 筆順 of the
// current user, through the channel its express-key component listens on.
//
// Exit status: 0 sent; 1 not delivered (the program is not running, or the channel failed);
// 2 wrong usage.

#include "platform/messages/NamedChannel.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <cstdio>

namespace {

constexpr int kExitSent = 0;
constexpr int kExitNotDelivered = 1;
constexpr int kExitUsage = 2;

const char* const kUsage = "Usage: inkwarde-key CODE\n"
                           "Sends an express-key code (1-10) to the running program.\n"
                           "Try 'inkwarde-key --help' for the codes.\n";

QString Help() {
    QString text = QStringLiteral("Usage: inkwarde-key CODE\n"
                                  "Sends an express-key code to the running インクワード 筆順 "
                                  "of the current user.\n\n"
                                  "CODE  event\n");
    for (int code = 1; code <= 10; ++code) {
        text += QStringLiteral("%1  key %2 %3\n")
                    .arg(code, 4)
                    .arg((code + 1) / 2)
                    .arg(code % 2 == 1 ? QStringLiteral("pressed") : QStringLiteral("released"));
    }
    text += QStringLiteral("\nA press and the release of the same key make a click, or a long "
                           "click\nwhen held longer than the click time.\n"
                           "Exit status: 0 sent, 1 not delivered (program not running), "
                           "2 wrong usage.\n");
    return text;
}

void Write(FILE* stream, const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
}

// The code an argument names: decimal digits only, 1 to 10; 0 for anything else.
uint32_t ArgumentCode(const QString& argument) {
    if (argument.isEmpty() || argument.size() > 2) return 0;
    uint32_t value = 0;
    for (QChar c : argument) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return 0;
        value = value * 10 + static_cast<uint32_t>(c.unicode() - '0');
    }
    return value >= 1 && value <= 10 ? value : 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);

    if (arguments.size() == 1 &&
        (arguments[0] == QLatin1String("--help") || arguments[0] == QLatin1String("-h"))) {
        Write(stdout, Help());
        return kExitSent;
    }
    const uint32_t code = arguments.size() == 1 ? ArgumentCode(arguments[0]) : 0;
    if (code == 0) {
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }

    const plat::SendOutcome outcome =
        plat::NamedChannelSend(QString::fromLatin1(plat::kExpressKeyMessageName), code);
    switch (outcome.result) {
    case plat::SendResult::Sent:
        return kExitSent;
    case plat::SendResult::NotListening:
        Write(stderr, QStringLiteral("inkwarde-key: インクワード 筆順 is not running (no one "
                                     "listens on %1)\n")
                          .arg(outcome.address));
        return kExitNotDelivered;
    case plat::SendResult::Failed:
        break;
    }
    Write(stderr, QStringLiteral("inkwarde-key: could not send to %1: %2\n")
                      .arg(outcome.address, outcome.errorText));
    return kExitNotDelivered;
}
