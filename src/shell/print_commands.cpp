#include "platform/dialogs.h"
#include "platform/printer_setup.h"
#include "platform/top_level_windows.h"
#include "shell/main_window.h"
#include "shell/window_opening.h"
#include "shell/wiring.h"
#include "slip/print_run.h"
#include "slip/print_window.h"
#include "slip/slip_layout.h"
#include "transaction/working_set.h"

using namespace Qt::Literals::StringLiterals;

namespace shell {

void wirePrintCommands(MainWindow& main, platform::Database&)
{
    const auto print = [&main] {
        const transaction::WorkingSet& set = transaction::workingSet();
        if (!set.hasContent()) {
            platform::inform(u"当前没有交易内容!"_s);
            return;
        }
        const slip::SlipLayout& layout = set.StoredFlag ? slip::storedLayout() : slip::notStoredLayout();
        QWidget* window = platform::topLevelWindow(layout.windowName);
        // a window still waiting for its run prints once; a closed one may still wait for its deletion
        if (!window || !window->isVisible()) {
            window = new slip::PrintWindow(layout);
            window->move(main.frameGeometry().center() - window->rect().center());
        }
        openPlainly(*window);
    };
    main.setCommand(u"print"_s, print);
    main.setCommand(u"Image14"_s, print);

    main.setCommand(u"dysz"_s, [] {
        const slip::SlipLayout& slip = slip::storedLayout();
        platform::printerSetup().show(u"页面设置"_s, slip::sizeInMillimetres(slip));
    });
}

} // namespace shell
