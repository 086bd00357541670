// Writes the demo capture for the simulated receiver: ravlin-make-demo-capture FILE
#include "formats/core/signal_generator.h"

#include <QFile>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
        return 2;
    }
    QFile f(QString::fromLocal8Bit(argv[1]));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    f.write(ravlin::SignalGenerator::demoCaptureText().toUtf8());
    return f.error() == QFile::NoError ? 0 : 1;
}
