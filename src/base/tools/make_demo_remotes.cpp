// Draws the demo remotes A01..A07: a JPEG picture and its description file each, with one zone
// per drawn button. Usage: ravlin-make-demo-remotes FOLDER (normally data/Tarnisk/OpisPl).
#include "base/core/key_names.h"
#include "base/core/remote_description.h"
#include "platform/core/text_file.h"

#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <vector>

using namespace ravlin;

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 600;
constexpr int kTop = 46;    // room for the remote's title
constexpr int kBottom = 14; // margin under the last row
constexpr int kSide = 14;
constexpr int kGap = 6;

struct Remote {
    const char* title;
    QColor body;
    std::vector<std::vector<const char*>> rows; // KeyNamTab names; "" leaves a place empty
};

const std::vector<Remote>& remotes() {
    static const std::vector<Remote> list = {
        {"TV",
         QColor(40, 42, 48),
         {{"PW", "", "Mute"},
          {"Key 1", "Key 2", "Key 3"},
          {"Key 4", "Key 5", "Key 6"},
          {"Key 7", "Key 8", "Key 9"},
          {"-/--", "Key 0", "PreView"},
          {"VOL+", "Menu", "CH+"},
          {"VOL-", "Up", "CH-"},
          {"Left", "OK", "Right"},
          {"Exit", "Down", "Info"},
          {"Red", "Green", "Yellow"},
          {"Blue", "TXT", "Sleep"}}},
        {"VCR",
         QColor(60, 60, 66),
         {{"PW", "TV/VCR", "Eject"},
          {"Key 1", "Key 2", "Key 3"},
          {"Key 4", "Key 5", "Key 6"},
          {"Key 7", "Key 8", "Key 9"},
          {"", "Key 0", ""},
          {"CH+", "Menu", "Timer"},
          {"CH-", "OK", "Display"},
          {"FR", "Play", "FF"},
          {"REC", "Stop", "Pause"},
          {"Prev", "Slow", "Next"}}},
        {"DVD",
         QColor(28, 30, 36),
         {{"PW", "Display", "Eject"},
          {"Key 1", "Key 2", "Key 3"},
          {"Key 4", "Key 5", "Key 6"},
          {"Key 7", "Key 8", "Key 9"},
          {"Key 10", "Key 0", "Jump"},
          {"Menu", "Up", "Home"},
          {"Left", "OK", "Right"},
          {"Subtitle", "Down", "Audio"},
          {"Prev", "Play", "Next"},
          {"Stop", "Pause", "Zoom"},
          {"A/B", "Slow", "Info"}}},
        {"Audio",
         QColor(70, 52, 40),
         {{"PW", "Radio", "Mute"},
          {"VOL+", "Mode", "CH+"},
          {"VOL-", "Store", "CH-"},
          {"Key 1", "Key 2", "Key 3"},
          {"Key 4", "Key 5", "Key 6"},
          {"Key 7", "Key 8", "Key 9"},
          {"Shift", "Key 0", "Enter"},
          {"Prev", "Play", "Next"},
          {"FR", "Stop", "FF"},
          {"Timer", "Pause", "Sleep"}}},
        {"SAT",
         QColor(30, 44, 70),
         {{"PW", "TV/VCR", "Mute"},
          {"Key 1", "Key 2", "Key 3"},
          {"Key 4", "Key 5", "Key 6"},
          {"Key 7", "Key 8", "Key 9"},
          {"Info", "Key 0", "Exit"},
          {"Menu", "Up", "PreView"},
          {"Left", "OK", "Right"},
          {"CH+", "Down", "VOL+"},
          {"CH-", "TXT", "VOL-"},
          {"Red", "Green", "Yellow"},
          {"Blue", "Audio", "Video"}}},
        {"PC",
         QColor(52, 56, 60),
         {{"PW", "Mouse", "KeyBr"},
          {"Home", "Up", "End"},
          {"Left", "OK", "Right"},
          {"Enter", "Down", "Cancel"},
          {"Prev", "Play", "Next"},
          {"Stop", "Pause", "Mute"},
          {"VOL+", "Video", "CH+"},
          {"VOL-", "Audio", "CH-"},
          {"Key 1", "Key 2", "Key 3"},
          {"Shift", "Key 0", "Exit"}}},
        {"Air",
         QColor(222, 224, 228),
         {{"PW", "", "Mode"},
          {"Up", "Display", "Timer"},
          {"Down", "", "Sleep"},
          {"Key 1", "Key 2", "Key 3"},
          {"Key 4", "Key 5", "Key 6"},
          {"Obshaya", "Hvost", "Store"}}},
    };
    return list;
}

QColor buttonColour(const QString& name) {
    if (name == QLatin1String("PW")) return QColor(200, 30, 30);
    if (name == QLatin1String("Red")) return QColor(210, 40, 40);
    if (name == QLatin1String("Green")) return QColor(40, 170, 60);
    if (name == QLatin1String("Yellow")) return QColor(230, 200, 40);
    if (name == QLatin1String("Blue")) return QColor(40, 80, 210);
    if (name == QLatin1String("OK")) return QColor(90, 140, 200);
    return QColor(150, 154, 160);
}

// Picture units of a pixel coordinate, as the window computes them.
int unitX(int px) {
    return px * 100 / kWidth;
}
int unitY(int py) {
    return py * 700 / kHeight;
}

bool draw(const Remote& remote, int number, const QString& folder) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(QColor(245, 245, 245));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(20, 20, 20), 2));
    p.setBrush(remote.body);
    p.drawRoundedRect(QRectF(4, 4, kWidth - 8, kHeight - 8), 28, 28);

    const bool light = remote.body.lightness() > 128;
    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPixelSize(16);
    title.setBold(true);
    p.setFont(title);
    p.setPen(light ? Qt::black : Qt::white);
    p.drawText(
        QRect(0, 12, kWidth, 24), Qt::AlignCenter,
        QStringLiteral("%1  A%2").arg(QString::fromLatin1(remote.title)).arg(number, 2, 10, QChar(u'0')));

    QFont label(QStringLiteral("DejaVu Sans"));
    label.setPixelSize(10);
    label.setBold(true);
    p.setFont(label);
    std::vector<RemoteZone> zones;
    const int rows = static_cast<int>(remote.rows.size());
    const int rowHeight = (kHeight - kTop - kBottom) / std::max(rows, 1);
    const int buttonHeight = std::min(rowHeight - kGap, 34);
    const int columnWidth = (kWidth - 2 * kSide) / 3;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < static_cast<int>(remote.rows[r].size()); ++c) {
            const QString name = QString::fromLatin1(remote.rows[r][c]);
            if (name.isEmpty()) continue;
            const QRect rect(kSide + c * columnWidth + kGap / 2, kTop + r * rowHeight, columnWidth - kGap,
                             buttonHeight);
            const QColor colour = buttonColour(name);
            p.setPen(QPen(QColor(15, 15, 15), 1));
            p.setBrush(colour);
            p.drawRoundedRect(rect, 7, 7);
            p.setPen(colour.lightness() > 150 ? Qt::black : Qt::white);
            p.drawText(rect, Qt::AlignCenter, name);
            zones.push_back(
                {unitX(rect.left()), unitY(rect.top()), unitX(rect.right()), unitY(rect.bottom()), name});
        }
    }
    p.end();

    const QString code = QStringLiteral("A%1").arg(number, 2, 10, QChar(u'0'));
    QImageWriter writer(folder + u'/' + code + QStringLiteral(".jpg"), "jpeg");
    writer.setQuality(80);
    writer.setOptimizedWrite(true);
    if (!writer.write(image)) {
        std::fprintf(stderr, "cannot write %s.jpg: %s\n", qPrintable(code), qPrintable(writer.errorString()));
        return false;
    }
    QString error;
    if (!TextFileWriter::write(folder + u'/' + code + QStringLiteral(".txt"), RemoteDescription::lines(zones),
                               &error)) {
        std::fprintf(stderr, "cannot write %s.txt: %s\n", qPrintable(code), qPrintable(error));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    int number = 1;
    for (const Remote& remote : remotes()) {
        for (const auto& row : remote.rows)
            for (const char* name : row)
                if (*name && KeyNamTab::indexOf(QString::fromLatin1(name)) < 0)
                    std::fprintf(stderr, "%s: not a standard button name\n", name);
        if (!draw(remote, number++, folder)) return 1;
    }
    return 0;
}
