#pragma once

#include "platform/core/tune_player.h"

#include <QFileInfo>
#include <QStringList>

namespace ravlin::fakes {

// A silent tune player that records its calls: "open <file name>", "play", "pause".
class RecordingTunePlayer : public TunePlayer {
public:
    QStringList calls;
    bool opens = true;

    bool open(const QString& path) override {
        calls << QStringLiteral("open ") + QFileInfo(path).fileName();
        return opens;
    }
    void play() override { calls << QStringLiteral("play"); }
    void pause() override { calls << QStringLiteral("pause"); }
    int plays() const { return static_cast<int>(calls.count(QStringLiteral("play"))); }
};

} // namespace ravlin::fakes
