#include "shell/ui/test_area_assembly.h"

#include "base/ui/burst_test_buttons.h"
#include "base/ui/test_area_page.h"
#include "shell/core/workbench.h"
#include "shell/core/workbench_parts.h"
#include "shell/ui/main_window.h"

#include <QLayout>
#include <QPushButton>

namespace ravlin {

void assembleTestArea(Workbench& wb, WorkbenchParts& p, MainWindow& main) {
    auto* page = new TestAreaPage(p.testArea);
    main.settingsPage()->layout()->addWidget(page);
    QObject::connect(&wb, &Workbench::changed, page, &TestAreaPage::refresh);
    QObject::connect(page, &TestAreaPage::changed, &wb, &Workbench::notifyChanged);
    // "Подбор переменных ХЭШирования" and "Кнопки для Pelvar" run their windows' opening checks.
    QObject::connect(page->fittingButton(), &QPushButton::clicked, &wb, [&wb] {
        wb.openFittingWindow();
        wb.notifyChanged();
    });
    QObject::connect(page->pelvarButton(), &QPushButton::clicked, &wb, [&wb] {
        wb.openActionMapWindow();
        wb.notifyChanged();
    });

    auto* buttons = new BurstTestButtons(p.testArea);
    main.receivedDataPage()->layout()->addWidget(buttons);
    QObject::connect(&wb, &Workbench::changed, buttons, &BurstTestButtons::refresh);
    QObject::connect(buttons, &BurstTestButtons::changed, &wb, &Workbench::notifyChanged);
}

} // namespace ravlin
