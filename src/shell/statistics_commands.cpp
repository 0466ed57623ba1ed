#include "shell/main_window.h"
#include "shell/window_opening.h"
#include "shell/wiring.h"
#include "statistics/count_window.h"
#include "statistics/history_window.h"
#include "statistics/period_chooser_window.h"
#include "statistics/sales_chart_window.h"
#include "statistics/unit_total_window.h"

#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace shell {

void wireStatisticsCommands(MainWindow& main, platform::Database& db)
{
    const auto command = [&main](const QString& name, const QString& window, std::function<QWidget*()> load) {
        main.setCommand(name, [&main, window, load] { openExclusively(loadedWindow(window, load, &main), main); });
    };
    const auto history = [&db]() -> QWidget* {
        return new statistics::HistoryWindow(db);
    };
    // The chooser and its result window take turns holding the main window.
    const auto chooser = [&main, &db](const statistics::PeriodView& view) {
        return [&main, &db, view]() -> QWidget* {
            return new statistics::PeriodChooserWindow(db, view, [&main](QWidget& w) { openExclusively(w, main); });
        };
    };
    const auto unitTotal = [&db]() -> QWidget* {
        return new statistics::UnitTotalWindow(db);
    };
    const auto count = [&db](const statistics::CountView& view) {
        return [&db, view]() -> QWidget* {
            return new statistics::CountWindow(db, view);
        };
    };

    command(u"查看交易记录"_s, u"Look1"_s, history);
    command(u"Look"_s, u"Look1"_s, history);
    command(u"按月统计"_s, u"Form1"_s, chooser(statistics::PeriodView::monthly()));
    command(u"按年统计"_s, u"form6"_s, chooser(statistics::PeriodView::yearly()));
    command(u"dwtj"_s, u"dwtj1"_s, unitTotal);
    command(u"Image7"_s, u"dwtj1"_s, unitTotal);
    command(u"yptj"_s, u"yptj1"_s, count(statistics::CountView::medicines()));
    command(u"Image8"_s, u"yptj1"_s, count(statistics::CountView::medicines()));
    command(u"单位数统计"_s, u"单位"_s, count(statistics::CountView::units()));
    command(u"salesChart"_s, u"salesChart"_s, [&db]() -> QWidget* { return new statistics::SalesChartWindow(db); });
}

} // namespace shell
