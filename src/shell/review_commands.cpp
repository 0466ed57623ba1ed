#include "review/profit_window.h"
#include "review/sale_review_window.h"
#include "review/unit_change_window.h"
#include "shell/main_window.h"
#include "shell/window_opening.h"
#include "shell/wiring.h"

#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace shell {

namespace {

/** Opens the window of that name exclusively, loading it unless it is open. */
void openReviewWindow(MainWindow& main, const QString& name, const std::function<QWidget*()>& load)
{
    openExclusively(loadedWindow(name, load, &main), main);
}

} // namespace

void wireReviewCommands(MainWindow& main, platform::Database& database)
{
    const auto review = [&main] {
        openReviewWindow(main, u"查看本次交易"_s, [] { return new review::SaleReviewWindow; });
    };
    main.setCommand(u"查看本次交易1"_s, review);
    main.setCommand(u"Image15"_s, review);

    main.setCommand(u"交易利润1"_s, [&main] {
        openReviewWindow(main, u"交易利润"_s, [&main] {
            // the detail holds the main window in turn, until it is closed itself
            return new review::ProfitWindow([&main](QWidget& detail) {
                detail.move(main.frameGeometry().center() - detail.rect().center());
                openExclusively(detail, main);
            });
        });
    });

    main.setCommand(u"修改购药单位"_s, [&main, &database] {
        openReviewWindow(main, u"修改"_s, [&database] { return new review::UnitChangeWindow(database); });
    });
}

} // namespace shell
