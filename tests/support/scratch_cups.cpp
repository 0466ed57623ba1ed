#include "support/scratch_cups.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTest>
#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;

namespace testsupport {

namespace {

// where the PDF queue's driver writes the documents of users it does not know
const QString anonymousOutput = u"/var/spool/cups-pdf/ANONYMOUS"_s;
const char* const testUser = "quenvale-test";

bool writeFile(const QString& path, const QString& text)
{
    QFile file(path);
    const QByteArray bytes = text.toUtf8();
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

ScratchCups::ScratchCups()
{
    m_cupsd.setProcessChannelMode(QProcess::MergedChannels);
}

ScratchCups::~ScratchCups()
{
    if (m_cupsd.state() != QProcess::NotRunning) {
        m_cupsd.terminate();
        if (!m_cupsd.waitForFinished(10000)) {
            m_cupsd.kill();
            m_cupsd.waitForFinished(5000);
        }
    }
    qunsetenv("CUPS_SERVER");
    qunsetenv("CUPS_USER");
    const QDir anonymous(anonymousOutput);
    for (const QString& name : anonymous.entryList(QDir::Files)) {
        if (!m_anonymousBefore.contains(name))
            QFile::remove(anonymous.filePath(name));
    }
}

QString ScratchCups::cupsdProgram()
{
    return QStandardPaths::findExecutable(u"cupsd"_s, { u"/usr/sbin"_s, u"/usr/local/sbin"_s, u"/sbin"_s });
}

QString ScratchCups::socketPath() const
{
    return m_folder.filePath(u"cups.sock"_s);
}

bool ScratchCups::start(QString* problem)
{
    const QDir folder(m_folder.path());
    // the print system's filters run as a user of their own, and keep their temporary files in here
    QFile::setPermissions(folder.path(),
                          QFile::permissions(folder.path()) | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther
                              | QFile::ExeOther);
    for (const QString& sub : { u"spool"_s, u"tmp"_s, u"cache"_s, u"state"_s, u"ppd"_s }) {
        if (!folder.mkpath(sub)) {
            *problem = u"cannot make "_s + folder.filePath(sub);
            return false;
        }
    }
    // open to every user like /tmp, sticky included
    if (::chmod(QFile::encodeName(folder.filePath(u"tmp"_s)).constData(), 01777) != 0) {
        *problem = u"cannot open up "_s + folder.filePath(u"tmp"_s);
        return false;
    }
    const QString daemon = uR"(Listen %1
LogLevel info
Browsing No
WebInterface No
DefaultAuthType None
PreserveJobFiles Yes
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
)"_s.arg(socketPath());
    const QString files = uR"(ServerRoot %1
RequestRoot %1/spool
TempDir %1/tmp
CacheDir %1/cache
StateDir %1/state
Printcap %1/printcap
ServerBin /usr/lib/cups
DataDir /usr/share/cups
ErrorLog %1/error_log
AccessLog %1/access_log
PageLog %1/page_log
FileDevice Yes
SystemGroup root
)"_s.arg(folder.path());
    if (!writeFile(folder.filePath(u"cupsd.conf"_s), daemon)
        || !writeFile(folder.filePath(u"cups-files.conf"_s), files)) {
        *problem = u"cannot write the configuration in "_s + folder.path();
        return false;
    }

    m_anonymousBefore = QDir(anonymousOutput).entryList(QDir::Files);
    m_cupsd.start(
        cupsdProgram(),
        { u"-f"_s, u"-c"_s, folder.filePath(u"cupsd.conf"_s), u"-s"_s, folder.filePath(u"cups-files.conf"_s) });
    if (!m_cupsd.waitForStarted(10000)) {
        *problem = u"cupsd does not start: "_s + m_cupsd.errorString();
        return false;
    }
    const QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired()) {
        QString answer;
        if (QFile::exists(socketPath()) && command(u"lpstat"_s, { u"-r"_s }, &answer)
            && answer.contains(u"scheduler is running"_s)) {
            use();
            return true;
        }
        if (m_cupsd.state() == QProcess::NotRunning)
            break;
        QTest::qWait(50);
    }
    QFile log(folder.filePath(u"error_log"_s));
    const QString logText = log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
    *problem = u"cupsd does not answer: "_s + QString::fromUtf8(m_cupsd.readAll()) + logText;
    return false;
}

void ScratchCups::use() const
{
    qputenv("CUPS_SERVER", socketPath().toLocal8Bit());
    qputenv("CUPS_USER", testUser);
}

bool ScratchCups::command(const QString& program, const QStringList& arguments, QString* output)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"CUPS_SERVER"_s, socketPath());
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool done
        = process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (output)
        *output = program + u": "_s + QString::fromUtf8(process.readAll()) + process.errorString();
    return done;
}

bool ScratchCups::addQueue(const QString& name, const QString& device, const QString& driver, QString* problem)
{
    const QString driverOption = driver.startsWith(u'/') ? u"-P"_s : u"-m"_s;
    return command(u"lpadmin"_s, { u"-p"_s, name, u"-v"_s, device, driverOption, driver, u"-E"_s }, problem);
}

QStringList ScratchCups::spooledDocuments() const
{
    const QDir spool(m_folder.filePath(u"spool"_s));
    QStringList paths;
    for (const QString& name : spool.entryList({ u"d*"_s }, QDir::Files, QDir::Name))
        paths << spool.filePath(name);
    return paths;
}

} // namespace testsupport
