#include "records/catalogue_browse_window.h"
#include "records/medicine_add_window.h"
#include "records/medicine_modify_window.h"
#include "records/unit_add_window.h"
#include "records/unit_browse_window.h"
#include "records/unit_modify_window.h"
#include "shell/main_window.h"
#include "shell/window_opening.h"
#include "shell/wiring.h"

using namespace Qt::Literals::StringLiterals;

namespace shell {

void wireRecordCommands(MainWindow& main, platform::Database& db)
{
    const auto command = [&main](const QString& name, const QString& window, std::function<QWidget*()> load) {
        main.setCommand(name, [&main, window, load] { openExclusively(loadedWindow(window, load, &main), main); });
    };
    const auto addMedicine = [&db]() -> QWidget* {
        return new records::MedicineAddWindow(db);
    };
    const auto modifyMedicine = [&db]() -> QWidget* {
        return new records::MedicineModifyWindow(db);
    };
    const auto addUnit = [&db]() -> QWidget* {
        return new records::UnitAddWindow(db);
    };

    command(u"新药品"_s, u"addnewM"_s, addMedicine);
    command(u"Image4"_s, u"addnewM"_s, addMedicine);
    command(u"修改药"_s, u"modiM"_s, modifyMedicine);
    command(u"Image6"_s, u"modiM"_s, modifyMedicine);
    command(u"查看药品档案"_s, u"药品档案查询"_s,
            [&db]() -> QWidget* { return new records::CatalogueBrowseWindow(db, records::CatalogueView::browsing()); });
    command(u"删除药品"_s, u"Form3"_s,
            [&db]() -> QWidget* { return new records::CatalogueBrowseWindow(db, records::CatalogueView::deletion()); });
    command(u"新单位"_s, u"addnewcom"_s, addUnit);
    command(u"Image5"_s, u"addnewcom"_s, addUnit);
    command(u"修改单位"_s, u"modicom"_s, [&db]() -> QWidget* { return new records::UnitModifyWindow(db); });
    command(u"查看单位档案"_s, u"单位档案查询"_s,
            [&db]() -> QWidget* { return new records::UnitBrowseWindow(db, records::UnitView::browsing()); });
    command(u"删除单位"_s, u"Form4"_s,
            [&db]() -> QWidget* { return new records::UnitBrowseWindow(db, records::UnitView::deletion()); });
}

} // namespace shell
