// Writes the demo capture for the simulated receiver: ravlin-make-demo-capture FILE
#include "formats/core/signal_generator.h"
#include "platform/core/text_file.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
        return 2;
    }
    QString error;
    if (!ravlin::TextFileWriter::writeBytes(QString::fromLocal8Bit(argv[1]),
                                            ravlin::SignalGenerator::demoCaptureText().toUtf8(), &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
