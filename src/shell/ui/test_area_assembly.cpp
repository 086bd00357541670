#include "shell/ui/test_area_assembly.h"

#include "base/ui/burst_test_buttons.h"
#include "base/ui/test_area_page.h"
#include "shell/core/workbench.h"
#include "shell/ui/main_window.h"

#include <QLayout>

namespace ravlin {

void assembleTestArea(Workbench& wb, MainWindow& main) {
    auto* page = new TestAreaPage(wb.testArea());
    main.settingsPage()->layout()->addWidget(page);
    QObject::connect(&wb, &Workbench::changed, page, &TestAreaPage::refresh);
    QObject::connect(page, &TestAreaPage::changed, &wb, &Workbench::notifyChanged);

    auto* buttons = new BurstTestButtons(wb.testArea());
    main.receivedDataPage()->layout()->addWidget(buttons);
    QObject::connect(&wb, &Workbench::changed, buttons, &BurstTestButtons::refresh);
    QObject::connect(buttons, &BurstTestButtons::changed, &wb, &Workbench::notifyChanged);
}

} // namespace ravlin
