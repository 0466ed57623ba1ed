#pragma once

#include <QString>
#include <QStringList>

namespace platform {

/** true for a libpq connection URI ("postgresql://…" or "postgres://…"); anything else names an SQLite file. */
bool isServerUrl(const QString& location);

/** The parts of a libpq connection URI that a connection is opened with. */
struct ServerUrl
{
    QString host; ///< a host name, or a folder holding the server's Unix socket
    int port = -1; ///< -1: libpq's default
    QString database;
    QString user;
    QStringList options; ///< further libpq settings as key='value'
    QString error; ///< why the URI cannot be used; empty when it can
};

/**
 * Reads a libpq connection URI. A password in it is refused: it would stand on the command line or in a file every
 * desk reads, while libpq finds it in ~/.pgpass or the environment.
 */
ServerUrl parseServerUrl(const QString& url);

/** The URI as it may be shown: without a password, whatever was given. */
QString shownServerUrl(const QString& url);

} // namespace platform
