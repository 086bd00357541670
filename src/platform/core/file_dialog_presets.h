#pragma once

#include <QString>

namespace ravlin {

// Preset file names and filters of the main window's four file dialogs.
struct FileDialogPresets {
    static inline const QString kBaseFilter = QStringLiteral("Text file|*.txt");
    static inline const QString kDiagramFilter = QStringLiteral("Image File|*.bmp");
    static inline const QString kDiagramExtension = QStringLiteral(".bmp");

    QString openBase = QStringLiteral("pult.txt");
    QString saveBase = QStringLiteral("pult.txt");
    QString diagram = QStringLiteral("Diagram.bmp");
    QString lengths = QStringLiteral("Len.txt");
};

} // namespace ravlin
