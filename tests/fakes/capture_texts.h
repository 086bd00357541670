#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace ravlin::fakes {

// A capture file of three bursts: two USBtiny blocks (a CR LF line, a blank line, an indented line
// with trailing spaces), then a Movrik block.
inline const char* const kSmallCapture = "# two bursts, USBtiny bytes then Movrik\n"
                                         "kind: USBtiny\n"
                                         "100: 10 20 30 40\r\n"
                                         "\n"
                                         "  50:  F9 10 01 02 03  \n"
                                         "kind: Movrik\n"
                                         "0: 0A 0B 0C 0D 0E\n";

// Writes `text` to `name` in `dir`; returns its path.
inline QString writeFile(QTemporaryDir& dir, const QByteArray& text, const QString& name = "small.cap") {
    const QString path = dir.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(text);
    return path;
}

} // namespace ravlin::fakes
