#pragma once

#include "acquisition/core/receiver_kind.h"
#include "base/core/base_file.h"
#include "base/core/capture_buffer.h"
#include "formats/core/capture_file.h"
#include "platform/core/text_file.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

namespace ravlin::test {

// What a run of the built ravlin-cli printed: its exit status, its JSON object and standard error.
struct CliRun {
    int exitCode = -1;
    QJsonObject json;
    QString err;
};

inline CliRun runCliCommand(const QString& command, const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(RAVLIN_CLI), QStringList{command} + args);
    p.waitForFinished(30000);
    CliRun r;
    r.exitCode = p.exitCode();
    r.json = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// A base file recorded from the demo receiver: every burst of the demo capture that is not a repeat
// signal, remote "Demo", buttons named in turn from `names` ("N/A" when empty), hashes
// `hashPrefix` + the record's index. Its path, or an empty text when the capture could not be read.
inline QString writeDemoBase(const QTemporaryDir& dir, const QStringList& names = {},
                             const QString& hashPrefix = {}) {
    bool ok = false;
    const CaptureFile capture =
        CaptureFile::read(QStringLiteral(RAVLIN_SOURCE_DIR) + QStringLiteral("/data/captures/demo.cap"), &ok);
    ButtonBase base;
    for (const CapturedBurst& b : capture.bursts) {
        const std::vector<std::int32_t> d = convertRawBlock(b.kind, b.bytes);
        if (d.size() <= 3) continue;
        ButtonRecord r;
        r.remoteName = QStringLiteral("Demo");
        r.buttonName = names.isEmpty() ? QStringLiteral("N/A") : names.at(base.count() % names.size());
        r.hash = hashPrefix + QString::number(base.count());
        r.timings = timingTextsOf(d);
        base.append(r);
    }
    const QString path = dir.filePath(QStringLiteral("pult.txt"));
    TextFileWriter::write(path, baseFileLines(base, BaseFileSettings{}));
    return ok && base.count() >= 4 ? path : QString();
}

} // namespace ravlin::test
