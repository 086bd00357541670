#pragma once

#include "firmware/core/output_settings.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <cstdint>
#include <optional>

namespace ravlin::cli {

// Options of "ravlin-cli fit".
struct FitOptions {
    QString input;
    QString tolerance = QStringLiteral("03"); // Edit1
    QString knBit = QStringLiteral("0D");     // EditB11
    QString pz1 = QStringLiteral("F9");       // EditB01
    QString pz0 = QStringLiteral("BB");       // EditB02
    bool automatic = true; // "Доверить первоначальный выбор автоматике"
    std::optional<bool> fiveBytes;    // "В 5 байт"; default: the base file's setting
    std::optional<QString> threshold; // starting "Порог"; default: the base file's setting
    OutputSettings output;
    std::optional<QString> date;
    std::optional<QString> time;
    std::optional<std::uint32_t> id; // r1 r2 as eight hex digits
    bool check = false;              // --check: add the recognition check to the output
};

std::optional<FitOptions> parseFitOptions(const QStringList& args, QString* error);

// Runs the whole command; returns 0 when a patch was written, 1 when the run ended without one,
// 2 for a usage error or an unreadable base.
int runFit(const QStringList& args, QTextStream& out, QTextStream& err);

QString fitUsageText();

} // namespace ravlin::cli
