#include "maintenance/copy_command.h"
#include "platform/button_keys.h"
#include "platform/data_folder.h"
#include "platform/database.h"
#include "platform/database_choice.h"
#include "platform/dialogs.h"
#include "platform/print_choice.h"
#include "platform/printer_page_sink.h"
#include "platform/screen_fit.h"
#include "platform/translations.h"
#include "shell/startup.h"
#include "shell/wiring.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFont>
#include <QTextStream>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char* argv[])
{
    QCoreApplication::setApplicationName(u"Quenvale"_s);
    QCoreApplication::setApplicationVersion(QStringLiteral(QUENVALE_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(u"Quenvale"_s);
    parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption dataDir(u"data-dir"_s,
                                     u"The folder that holds useall.mdb (default: the user's data folder when "
                                     u"installed, the working directory otherwise)."_s,
                                     u"DIR"_s);
    parser.addOption(dataDir);
    const QCommandLineOption databaseUrl(
        u"database"_s,
        u"Work on a PostgreSQL database shared by several desks, named by a libpq URI "
        u"(postgresql://user@host:port/dbname; the password from ~/.pgpass). Default: [database] url= in "
        u"quenvale.ini in the data folder, else useall.mdb there."_s,
        u"URL"_s);
    parser.addOption(databaseUrl);
    const QCommandLineOption copyDatabase(u"copy-database"_s,
                                          u"Copy every table of the database FROM (a useall.mdb path or a "
                                          u"postgresql:// URL) into the empty database TO, check the copy and exit."_s,
                                          u"FROM"_s);
    parser.addOption(copyDatabase);
    parser.addPositionalArgument(u"TO"_s, u"With --copy-database: the database to copy into."_s, u"[TO]"_s);
    // answered before QApplication exists, so that it needs no display
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    parser.parse(arguments);
    if (parser.isSet(version))
        parser.showVersion();
    if (parser.isSet(copyDatabase)) {
        QCoreApplication app(argc, argv);
        QTextStream out(stdout);
        QTextStream err(stderr);
        if (parser.positionalArguments().size() != 1) {
            err << "usage: quenvale --copy-database FROM TO" << Qt::endl;
            return 2;
        }
        return maintenance::copyDatabaseCommand(parser.value(copyDatabase), parser.positionalArguments().first(), out,
                                                err);
    }

    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setFont(QFont(u"Noto Sans CJK SC"_s, 9));
    platform::installChineseTranslations(app);
    platform::keepWindowsOnScreen(app);
    platform::pressFocusedButtonOnEnter(app);
    parser.process(app);

    const QString folder = platform::chooseDataFolder(parser.value(dataDir), QStringLiteral(QUENVALE_INSTALL_BINDIR));
    if (!QDir().mkpath(folder)) {
        platform::inform(u"无法建立数据目录 %1"_s.arg(folder), u"警告!"_s);
        return 1;
    }
    platform::setDataFolder(folder);
    const platform::DatabaseChoice choice = platform::chooseDatabase(parser.value(databaseUrl), folder);
    if (!choice.error.isEmpty()) {
        platform::inform(u"数据库错误，请检查数据库！\n原因: %1"_s.arg(choice.error), u"警告!"_s);
        return 1;
    }
    platform::setDatabaseLocation(choice.location);

    const std::unique_ptr<platform::Database> opened = shell::openDatabase();
    if (!opened)
        return 1;
    platform::Database& database = *opened;

    platform::PrinterPageSink slipSink(platform::printChoice());
    platform::setDefaultPageSink(&slipSink);

    shell::Startup startup(database);
    shell::wireEverything(startup.mainWindow(), database);
    startup.start();
    return QApplication::exec();
}
