#include "shell/main_window.h"
#include "shell/window_opening.h"
#include "shell/wiring.h"
#include "statistics/sale_grid_window.h"
#include "users/log_viewer_window.h"

using namespace Qt::Literals::StringLiterals;

namespace shell {

void wireTableCommands(MainWindow& main, platform::Database& db)
{
    main.setCommand(u"交易明细"_s, [&main, &db] {
        openExclusively(loadedWindow(
                            u"saleGrid"_s, [&db]() -> QWidget* { return new statistics::SaleGridWindow(db); }, &main),
                        main);
    });
    main.setCommand(u"操作日志"_s, [&main, &db] {
        openExclusively(loadedWindow(
                            u"logViewer"_s, [&db]() -> QWidget* { return new users::LogViewerWindow(db); }, &main),
                        main);
    });
}

} // namespace shell
