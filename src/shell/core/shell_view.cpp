#include "shell/core/shell_view.h"

#include "platform/core/rounding.h"

namespace ravlin {

QString joinPath(const QString& dir, const QString& relative) {
    if (dir.isEmpty()) return relative;
    return dir.endsWith(u'/') ? dir + relative : dir + u'/' + relative;
}

QString withDirectoryPrefix(const QString& preset, const QString& dir) {
    if (preset.contains(u'/') || preset.contains(u'\\')) return preset;
    return dir.endsWith(u'/') ? dir + preset : dir + u'/' + preset;
}

QPoint centredPosition(QSize screen, QSize window) {
    const auto half = [](int free) { return static_cast<int>(divideHalfEven(free, 2)); };
    return {half(screen.width() - window.width()), half(screen.height() - window.height())};
}

} // namespace ravlin
