#include "shell/ui/application_setup.h"

#include "platform/core/build_info.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>

namespace ravlin {

std::unique_ptr<QTranslator> setUpApplication() {
    QApplication::setApplicationName(QStringLiteral("Ravlin"));
    QApplication::setApplicationVersion(QStringLiteral(RAVLIN_VERSION_TEXT));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.ravlin.Ravlin"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.ravlin.Ravlin")));
    auto qtRussian = std::make_unique<QTranslator>();
    if (qtRussian->load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(qtRussian.get());
    return qtRussian;
}

} // namespace ravlin
