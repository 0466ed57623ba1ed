#include "platform/print_system.h"

#include <QThread>
#include <algorithm>
#include <cups/cups.h>

using namespace Qt::Literals::StringLiterals;
using namespace std::chrono_literals;

namespace platform {

namespace {

using Clock = std::chrono::steady_clock;

/** One conversation with the print system; every wait in it ends at the deadline. */
class Connection
{
public:
    explicit Connection(std::chrono::milliseconds patience) : m_patience(patience), m_deadline(Clock::now() + patience)
    {
        // each run is a thread of its own: the server is read afresh, so a print system started later is found
        const int milliseconds = static_cast<int>(std::max<qint64>(patience.count(), 1));
        m_http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, milliseconds, nullptr);
        if (m_http)
            httpSetTimeout(m_http, 0.1, &Connection::keepWaiting, this);
    }
    ~Connection()
    {
        if (m_http)
            httpClose(m_http);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    http_t* http() const { return m_http; }
    bool timedOut() const { return Clock::now() >= m_deadline; }
    /** Gives the next request the full patience again. */
    void renew() { m_deadline = Clock::now() + m_patience; }
    void renewUntil(Clock::time_point deadline) { m_deadline = deadline; }

    /** Why the last request failed, in the user's words. */
    QString failure(const QString& printer) const;

private:
    static int keepWaiting(http_t*, void* connection)
    {
        return static_cast<Connection*>(connection)->timedOut() ? 0 : 1;
    }

    std::chrono::milliseconds m_patience;
    Clock::time_point m_deadline;
    http_t* m_http = nullptr;
};

QString inBrackets(const QString& detail)
{
    return detail.isEmpty() ? QString() : u"（%1）"_s.arg(detail);
}

QString noAnswer(std::chrono::milliseconds patience)
{
    return u"打印系统在 %1 秒内没有回应"_s.arg(std::max<qint64>(1, (patience.count() + 999) / 1000));
}

QString Connection::failure(const QString& printer) const
{
    if (timedOut())
        return noAnswer(m_patience);
    const QString detail = QString::fromUtf8(cupsLastErrorString());
    if (!m_http)
        return u"无法连接打印系统"_s + inBrackets(detail);
    switch (cupsLastError()) {
    case IPP_STATUS_ERROR_NOT_FOUND:
        return u"打印机“%1”不存在"_s.arg(printer);
    case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS:
        return u"打印机“%1”不接受打印作业"_s.arg(printer) + inBrackets(detail);
    case IPP_STATUS_ERROR_FORBIDDEN:
    case IPP_STATUS_ERROR_NOT_AUTHENTICATED:
    case IPP_STATUS_ERROR_NOT_AUTHORIZED:
        return u"没有使用打印机“%1”的权限"_s.arg(printer) + inBrackets(detail);
    case IPP_STATUS_ERROR_SERVICE_UNAVAILABLE:
        return u"无法连接打印系统"_s + inBrackets(detail);
    default:
        return u"打印系统出错"_s + inBrackets(detail);
    }
}

bool succeeded()
{
    return cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE;
}

QByteArray printerUri(const QString& printer)
{
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(), "/printers/%s",
                     printer.toUtf8().constData());
    return QByteArray(uri);
}

/** The answer to one request, freed with it. */
class Response
{
public:
    explicit Response(ipp_t* response) : m_ipp(response) { }
    ~Response() { ippDelete(m_ipp); }
    Response(const Response&) = delete;
    Response& operator=(const Response&) = delete;

    bool isNull() const { return m_ipp == nullptr; }
    QString text(const char* name) const
    {
        ipp_attribute_t* attribute = m_ipp ? ippFindAttribute(m_ipp, name, IPP_TAG_ZERO) : nullptr;
        return attribute ? QString::fromUtf8(ippGetString(attribute, 0, nullptr)) : QString();
    }
    int integer(const char* name, int otherwise) const
    {
        ipp_attribute_t* attribute = m_ipp ? ippFindAttribute(m_ipp, name, IPP_TAG_ZERO) : nullptr;
        return attribute ? ippGetInteger(attribute, 0) : otherwise;
    }
    bool boolean(const char* name, bool otherwise) const
    {
        ipp_attribute_t* attribute = m_ipp ? ippFindAttribute(m_ipp, name, IPP_TAG_BOOLEAN) : nullptr;
        return attribute ? ippGetBoolean(attribute, 0) != 0 : otherwise;
    }
    /** The largest of the values; 0 when there is none. */
    int largest(const char* name) const
    {
        ipp_attribute_t* attribute = m_ipp ? ippFindAttribute(m_ipp, name, IPP_TAG_INTEGER) : nullptr;
        int most = 0;
        for (int i = 0; attribute && i < ippGetCount(attribute); ++i)
            most = std::max(most, ippGetInteger(attribute, i));
        return most;
    }

private:
    ipp_t* m_ipp;
};

ipp_t* printerRequest(ipp_op_t operation, const QString& printer, std::initializer_list<const char*> wanted)
{
    ipp_t* request = ippNewRequest(operation);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, printerUri(printer).constData());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", static_cast<int>(wanted.size()),
                  nullptr, wanted.begin());
    return request;
}

/** Why a print system without a default printer has none to offer. */
QString whyNoPrinter(const Connection& connection)
{
    ipp_t* request = ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
    ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "limit", 1);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, "printer-name");
    const Response printers(cupsDoRequest(connection.http(), request, "/"));
    return printers.text("printer-name").isEmpty() ? u"没有可用的打印机"_s : u"没有默认打印机"_s;
}

void cancel(Connection& connection, const QString& printer, int job)
{
    connection.renew();
    cupsCancelJob2(connection.http(), printer.toUtf8().constData(), job, 0);
}

QString watchJob(Connection& connection, const QString& printer, int job, std::chrono::milliseconds watch)
{
    const Clock::time_point end = Clock::now() + watch;
    for (;;) {
        // the job is with the print system now: a print system that stops answering leaves it there
        connection.renewUntil(std::max(end, Clock::now() + 500ms));
        ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, printerUri(printer).constData());
        ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", job);
        const Response state(cupsDoRequest(connection.http(), request, "/"));
        if (state.isNull() || !succeeded())
            return {};
        const Response device(cupsDoRequest(
            connection.http(),
            printerRequest(IPP_OP_GET_PRINTER_ATTRIBUTES, printer, { "printer-state", "printer-state-message" }), "/"));
        const QString message = device.text("printer-state-message");

        switch (state.integer("job-state", IPP_JSTATE_PENDING)) {
        case IPP_JSTATE_COMPLETED:
        case IPP_JSTATE_HELD:
            return {};
        case IPP_JSTATE_CANCELED:
            return u"打印作业被取消"_s;
        case IPP_JSTATE_ABORTED:
            return u"打印系统中止了打印作业"_s + inBrackets(message);
        case IPP_JSTATE_STOPPED:
            cancel(connection, printer, job);
            return u"打印机“%1”停在了这份打印作业上"_s.arg(printer) + inBrackets(message);
        default:
            if (device.integer("printer-state", IPP_PSTATE_IDLE) == IPP_PSTATE_STOPPED) {
                cancel(connection, printer, job);
                return u"打印机“%1”已停止"_s.arg(printer) + inBrackets(message);
            }
        }
        if (Clock::now() >= end)
            return {};
        QThread::msleep(100);
    }
}

} // namespace

PrinterLookup lookUpPrinter(const QString& printer, std::chrono::milliseconds patience)
{
    PrinterLookup lookup;
    Connection connection(patience);
    if (!connection.http()) {
        lookup.reason = connection.failure(printer);
        if (printer.isEmpty() && !connection.timedOut()) {
            lookup.outcome = PrinterLookup::Outcome::NoPrinter;
            lookup.reason = u"无法连接打印系统"_s;
        }
        return lookup;
    }

    lookup.printer = printer;
    if (printer.isEmpty()) {
        cups_dest_t* destination = cupsGetNamedDest(connection.http(), nullptr, nullptr);
        if (!destination) {
            const ipp_status_t status = cupsLastError();
            if (connection.timedOut() || (status != IPP_STATUS_ERROR_NOT_FOUND && !succeeded())) {
                lookup.reason = connection.failure(printer);
                return lookup;
            }
            lookup.outcome = PrinterLookup::Outcome::NoPrinter;
            lookup.reason = whyNoPrinter(connection);
            return lookup;
        }
        lookup.printer = QString::fromUtf8(destination->name);
        cupsFreeDests(1, destination);
    }

    const Response attributes(
        cupsDoRequest(connection.http(),
                      printerRequest(IPP_OP_GET_PRINTER_ATTRIBUTES, lookup.printer,
                                     { "printer-is-accepting-jobs", "printer-state", "printer-state-message",
                                       "media-left-margin-supported", "media-right-margin-supported",
                                       "media-top-margin-supported", "media-bottom-margin-supported" }),
                      "/"));
    if (attributes.isNull() || !succeeded()) {
        lookup.reason = connection.failure(lookup.printer);
        return lookup;
    }
    const QString message = attributes.text("printer-state-message");
    if (!attributes.boolean("printer-is-accepting-jobs", true)) {
        lookup.reason = u"打印机“%1”不接受打印作业"_s.arg(lookup.printer) + inBrackets(message);
        return lookup;
    }
    if (attributes.integer("printer-state", IPP_PSTATE_IDLE) == IPP_PSTATE_STOPPED) {
        lookup.reason = u"打印机“%1”已停止"_s.arg(lookup.printer) + inBrackets(message);
        return lookup;
    }
    // in hundredths of a millimetre
    lookup.unprintableMm = QMarginsF(attributes.largest("media-left-margin-supported") / 100.0,
                                     attributes.largest("media-top-margin-supported") / 100.0,
                                     attributes.largest("media-right-margin-supported") / 100.0,
                                     attributes.largest("media-bottom-margin-supported") / 100.0);
    lookup.outcome = PrinterLookup::Outcome::Ready;
    return lookup;
}

QString printSystemSilence(std::chrono::milliseconds patience)
{
    Connection connection(patience);
    if (!connection.http())
        return connection.timedOut() ? noAnswer(patience) : QString();
    const Response answer(cupsDoRequest(connection.http(), ippNewRequest(IPP_OP_CUPS_GET_DEFAULT), "/"));
    return connection.timedOut() ? noAnswer(patience) : QString();
}

QString printJob(const PrintJob& job, std::chrono::milliseconds patience, std::chrono::milliseconds watch)
{
    Connection connection(patience);
    if (!connection.http())
        return connection.failure(job.printer);

    const QByteArray printer = job.printer.toUtf8();
    const QByteArray title = job.title.toUtf8();
    cups_option_t* options = nullptr;
    int optionCount = 0;
    for (const auto& [name, value] : job.options)
        optionCount = cupsAddOption(name.toUtf8().constData(), value.toUtf8().constData(), optionCount, &options);
    const int id = cupsCreateJob(connection.http(), printer.constData(), title.constData(), optionCount, options);
    cupsFreeOptions(optionCount, options);
    if (id == 0)
        return connection.failure(job.printer);

    const auto giveUp = [&] {
        const QString why = connection.failure(job.printer);
        cancel(connection, job.printer, id);
        return why;
    };
    if (cupsStartDocument(connection.http(), printer.constData(), id, title.constData(), CUPS_FORMAT_PDF, 1)
        != HTTP_STATUS_CONTINUE)
        return giveUp();
    constexpr qsizetype chunk = 64 * 1024;
    for (qsizetype at = 0; at < job.pdf.size(); at += chunk) {
        const qsizetype length = std::min(chunk, job.pdf.size() - at);
        if (cupsWriteRequestData(connection.http(), job.pdf.constData() + at, static_cast<size_t>(length))
            != HTTP_STATUS_CONTINUE) {
            cupsFinishDocument(connection.http(), printer.constData());
            return giveUp();
        }
    }
    if (cupsFinishDocument(connection.http(), printer.constData()) > IPP_STATUS_OK_EVENTS_COMPLETE)
        return giveUp();
    return watchJob(connection, job.printer, id, watch);
}

} // namespace platform
