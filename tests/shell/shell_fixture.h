#pragma once

#include "base/core/remote_description.h"
#include "fakes/manual_scheduler.h"
#include "fakes/scripted_dialogs.h"
#include "fakes/simple_fakes.h"
#include "platform/core/text_file.h"
#include "shell/core/startup.h"
#include "shell/core/workbench.h"
#include "shell/core/workbench_parts.h"

#include <QDir>
#include <QTemporaryDir>

#include <memory>
#include <optional>

namespace ravlin::test {

// A workbench over fakes, in a temporary application directory holding Tarnisk/OpisPl.
struct ShellFixture {
    QTemporaryDir dir;
    fakes::ScriptedDialogs dialogs;
    fakes::ManualScheduler scheduler;
    fakes::RecordingUrlOpener urls;
    fakes::FixedClock clock;
    std::unique_ptr<Workbench> wb;
    // The workbench's parts, to arrange and inspect what its public face only shows.
    std::optional<WorkbenchParts> parts;

    // With `withBase` a known-remotes base of comment lines only; with `withRemote` the first
    // remote's description file A01.txt and a file standing for its picture A01.jpg.
    explicit ShellFixture(bool withBase = true, bool withRemote = true) {
        QDir(dir.path()).mkpath(QStringLiteral("Tarnisk/OpisPl"));
        if (withBase) writeData(QStringLiteral("BazaDannih.baz"), {QStringLiteral("; comment only")});
        if (withRemote) {
            writeData(QStringLiteral("A01.txt"), RemoteDescription::lines({}));
            writeData(QStringLiteral("A01.jpg"), {QStringLiteral("picture")});
        }
        wb = std::make_unique<Workbench>(dialogs, scheduler, urls, clock, dir.path());
        parts.emplace(partsOf(*wb));
    }

    void writeData(const QString& name, const QStringList& lines) {
        TextFileWriter::write(dir.path() + QStringLiteral("/Tarnisk/OpisPl/") + name, lines);
    }

    // From begin() to the choice phase: T1 at 200 ms, then 7 progress ticks of 120 ms.
    void runToChoices() {
        wb->beginStartup();
        scheduler.advance(200 + 7 * 120);
    }
};

} // namespace ravlin::test
