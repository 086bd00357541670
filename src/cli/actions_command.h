#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <optional>

#include "hashing/core/panel_settings.h"

namespace ravlin::cli {

// Options of "ravlin-cli actions".
struct ActionsOptions {
    QString input;
    bool avto = false;
    bool skipXY = false; // --no-xy: "Не использовать Х и У при автоматической раскладке"
    QString irf;             // --irf OUT
    QString pelvar;          // --pelvar OUT
    DecoderSettings decoder; // --decoders: the sub-decoders of the M96 rescan
};

std::optional<ActionsOptions> parseActionsOptions(const QStringList& args, QString* error);

// Runs the whole command; returns 0 when every requested file was written, 1 when the opening
// checks failed or a file could not be written (or there was nothing valid to export), 2 for a
// usage error or an unreadable base.
int runActions(const QStringList& args, QTextStream& out, QTextStream& err);

QString actionsUsageText();

} // namespace ravlin::cli
