#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/launcher.h"
#include "platform/printer_setup.h"
#include "platform/slips_folder.h"
#include "platform/top_level_windows.h"
#include "shell/letterhead.h"
#include "shell/main_window.h"
#include "shell/window_opening.h"
#include "shell/wiring.h"
#include "slip/print_run.h"
#include "slip/print_window.h"
#include "slip/slip_layout.h"
#include "slip/slip_preview.h"
#include "transaction/working_set.h"
#include "users/current_user.h"

#include <QDir>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;

namespace shell {

namespace {

const QString noTransaction = u"当前没有交易内容!"_s;

const slip::SlipLayout& layoutOf(const transaction::WorkingSet& set)
{
    return set.StoredFlag ? slip::storedLayout() : slip::notStoredLayout();
}

} // namespace

void wirePrintCommands(MainWindow& main, platform::Database&)
{
    const auto print = [&main] {
        const transaction::WorkingSet& set = transaction::workingSet();
        if (!set.hasContent()) {
            platform::inform(noTransaction);
            return;
        }
        const slip::SlipLayout& layout = layoutOf(set);
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

    // the pages the print window would print now, on the layout it would choose
    main.setCommand(u"dyyl"_s, [print] {
        const transaction::WorkingSet& set = transaction::workingSet();
        if (!set.hasContent()) {
            platform::inform(noTransaction);
            return;
        }
        const QList<slip::SlipPage> pages
            = slip::composeSlip(set, Letterhead(), users::CurrentUser(), platform::clock().today());
        switch (slip::previewSlip(pages, layoutOf(set))) {
        case slip::PreviewOutcome::NoPage:
            platform::inform(u"本次交易没有可打印的清单页。"_s);
            break;
        case slip::PreviewOutcome::PrintAsked:
            print();
            break;
        case slip::PreviewOutcome::Closed:
            break;
        }
    });

    main.setCommand(u"djwjj"_s, [] {
        QString problem;
        if (!platform::makeSlipsFolder(&problem)) {
            platform::inform(problem);
            return;
        }
        const QString folder = platform::slipsFolder();
        if (!platform::launcher().openUrl(QUrl::fromLocalFile(folder)))
            platform::inform(u"无法打开文件夹 %1"_s.arg(QDir::toNativeSeparators(folder)));
    });

    main.setCommand(u"dysz"_s, [] {
        const slip::SlipLayout& slip = slip::storedLayout();
        platform::printerSetup().show(u"页面设置"_s, slip::sizeInMillimetres(slip));
    });
}

} // namespace shell
