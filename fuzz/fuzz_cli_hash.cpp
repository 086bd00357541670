// ravlin-cli hash: any input text and options read into bursts, and every output line is one JSON
// object.
#include "cli/hash_command.h"
#include "fuzz_check.h"

#include <QJsonDocument>
#include <QJsonObject>

using namespace ravlin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 16 * 1024) return 0;
    fuzz::Input in(data, size);
    const std::uint8_t flags = in.byte();
    QStringList args;
    if (flags & 1) args << QStringLiteral("--us");
    if (flags & 2) args << QStringLiteral("--mode2");
    if (flags & 4) args << QStringLiteral("--gap") << QString::number(0.1 + (flags >> 3));
    static const char* const kKinds[] = {"Movrik", "USBtiny", "IgorPlug-USB", "IgorPlug-UDP"};
    args << QStringLiteral("--kind") << QString::fromLatin1(kKinds[(flags >> 6) & 3]);
    QString error;
    const auto options = cli::parseHashOptions(args, &error);
    if (!options) return 0;

    const QString text = QString::fromUtf8(in.rest());
    const ReadResult input = cli::readBursts(text, *options);
    for (const Burst& b : input.bursts)
        FUZZ_CHECK(b.durations.size() >= 1 && b.durations.size() <= 255);
    QString out;
    QTextStream stream(&out);
    cli::writeHashLines(input.bursts, *options, stream);
    stream.flush();
    const QStringList lines = out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    FUZZ_CHECK(lines.size() == input.bursts.size());
    for (const QString& line : lines) {
        QJsonParseError e;
        const QJsonDocument doc = QJsonDocument::fromJson(line.toUtf8(), &e);
        FUZZ_CHECK(e.error == QJsonParseError::NoError && doc.isObject());
    }
    return 0;
}
