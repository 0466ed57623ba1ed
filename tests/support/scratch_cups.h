#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

namespace testsupport {

/**
 * A print system of the test's own: cupsd run in the foreground from a scratch folder, listening on a socket there
 * that CUPS_SERVER names while it runs. Jobs are sent as a user of its own, and their documents are kept in the
 * spool, so a test can read what the print system was given. Stopped, and its folder removed, with the fixture.
 */
class ScratchCups final
{
public:
    ScratchCups();
    ~ScratchCups();
    ScratchCups(const ScratchCups&) = delete;
    ScratchCups& operator=(const ScratchCups&) = delete;

    /** The program that runs the print system; empty when it is not installed. */
    static QString cupsdProgram();

    /** Starts the print system and waits until it answers; false with the reason when it does not. */
    bool start(QString* problem);
    /** Points this process's print system (CUPS_SERVER) at it; start() does so too. */
    void use() const;
    /** Runs one of the print system's administration commands on it; false with its output when it fails. */
    bool command(const QString& program, const QStringList& arguments, QString* output = nullptr);
    /** Adds a queue that takes jobs; `device` is its URI, `driver` a PPD file or a driver of the print system. */
    bool addQueue(const QString& name, const QString& device, const QString& driver, QString* problem);

    QString socketPath() const;
    /** The documents the print system was given, oldest first. */
    QStringList spooledDocuments() const;

private:
    QTemporaryDir m_folder;
    QProcess m_cupsd;
    QStringList m_anonymousBefore;
};

} // namespace testsupport
