#include "platform/data_folder.h"
#include "platform/database.h"
#include "platform/dialogs.h"
#include "platform/print_choice.h"
#include "platform/printer_page_sink.h"
#include "platform/translations.h"
#include "shell/startup.h"
#include "shell/wiring.h"
#include "store/schema.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFont>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Quenvale"_s);
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setFont(QFont(u"Noto Sans CJK SC"_s, 9));
    platform::installChineseTranslations(app);

    QCommandLineParser parser;
    parser.setApplicationDescription(u"Quenvale"_s);
    parser.addHelpOption();
    const QCommandLineOption dataDir(u"data-dir"_s,
                                     u"The folder that holds useall.mdb (default: the working directory)."_s, u"DIR"_s);
    parser.addOption(dataDir);
    parser.process(app);
    if (parser.isSet(dataDir)) {
        const QString folder = parser.value(dataDir);
        if (!QDir().mkpath(folder)) {
            platform::inform(u"无法建立数据目录 %1"_s.arg(folder), u"警告!"_s);
            return 1;
        }
        platform::setDataFolder(folder);
    }

    QString error;
    if (!store::ensureDatabase(platform::databasePath(), &error)) {
        platform::inform(u"数据库错误，请检查数据库！"_s + u"\n"_s + error, u"警告!"_s);
        return 1;
    }
    platform::Database database(platform::databasePath());
    if (!database.isOpen()) {
        platform::inform(u"数据库错误，请检查数据库！"_s + u"\n"_s + database.lastError(), u"警告!"_s);
        return 1;
    }

    platform::PrinterPageSink slipSink(platform::printChoice());
    platform::setDefaultPageSink(&slipSink);

    shell::Startup startup(database);
    shell::wireEverything(startup.mainWindow(), database);
    startup.start();
    return QApplication::exec();
}
