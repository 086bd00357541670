#pragma once

#include "acquisition/core/drivers/monotonic.h"
#include "acquisition/core/drivers/usb_driver.h"
#include "formats/core/mode2.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace ravlin {

// The backend serving the USB receiver port, chosen by the workbench's --receiver option:
//   "sim:FILE"        the simulated receiver playing a capture file or a remote-control file
//                     (Flipper .ir, lircd.conf, Pronto, mode2 text); "?every=SECONDS" after it
//                     spaces the button presses that far apart (default: the file's own delays)
//   "sim"             the simulated receiver with no file (not connected)
//   "lirc:/dev/lircN" a Linux IR device (or a file or pipe of mode2 samples); "?gap=MS" after it
//                     sets the framing gap in milliseconds (default 6)
//   ""                the first /dev/lirc* that opens, else the simulated receiver with no file
struct DriverChoice {
    std::unique_ptr<UsbDriver> driver; // null when the option is not understood
    QString error;
};

inline constexpr const char* kReceiverOptionHelp =
    "Receiver behind the USB port: sim:FILE (simulated receiver playing a capture file, or a remote file: "
    "Flipper .ir, lircd.conf, Pronto, mode2 text; sim:FILE?every=SECONDS presses a button every SECONDS "
    "seconds, 0.5 to 600), sim "
    "(simulated receiver, not connected), lirc:/dev/lircN (Linux IR device; lirc:/dev/lircN?gap=MS sets the "
    "gap that ends a burst, "
    "default 6 ms). Default: the first "
    "/dev/lirc* that opens, else the simulated receiver.";

// "DEV" or "DEV?gap=MS" after "lirc:": the device and the framing gap (default 6 ms).
struct LircOption {
    QString path;
    std::uint32_t gapMicros = kBurstGapMicros;
    QString error; // set when the text after "?" is not understood
};
LircOption parseLircOption(const QString& text);

// "FILE" or "FILE?every=SECONDS" after "sim:": the file and the pace of the presses (0 = the file's own).
struct SimOption {
    QString path;
    std::int64_t everyMs = 0;
    QString error; // set when the number after "every=" is not understood
};
SimOption parseSimOption(const QString& text);

DriverChoice makeUsbDriver(const QString& option, MonotonicMs now = steadyMonotonicMs());

// The /dev/lirc* device nodes, in name order (lirc0 before lirc1 ...).
QStringList lircDeviceCandidates(const QString& devDir = QStringLiteral("/dev"));

} // namespace ravlin
