#include "slip/print_run.h"

#include "platform/page_sink.h"
#include "platform/timing.h"
#include "slip/slip_painting.h"

#include <QDir>
#include <QThread>

using namespace Qt::Literals::StringLiterals;

namespace slip {

namespace {

constexpr double millimetresPerTwip = 25.4 / 1440.0;

void pause()
{
    const int milliseconds = platform::timing().slipPagePause;
    if (milliseconds > 0)
        QThread::msleep(static_cast<unsigned long>(milliseconds));
}

} // namespace

PrintOutcome printSlip(const QList<SlipPage>& pages, const SlipLayout& layout, platform::PageSink& sink,
                       const std::function<void(const QPicture&)>& showing)
{
    PrintOutcome outcome;
    if (pages.isEmpty())
        return outcome;

    const auto stop = [&outcome, &sink](bool begun) {
        outcome.failure = sink.errorText();
        if (outcome.failure.isEmpty())
            outcome.failure = u"未知错误"_s;
        if (begun)
            sink.abort();
        outcome.writtenFile = sink.writtenFile();
        outcome.notice = sink.notice();
        return outcome;
    };

    if (!sink.begin(pages.first().header.salesNumber, sizeInMillimetres(layout)))
        return stop(false);
    for (const SlipPage& page : pages) {
        const QPicture picture = slipPicture(layout, page);
        if (showing)
            showing(picture);
        if (!sink.printPage(picture))
            return stop(true);
        ++outcome.pagesPrinted;
        pause();
    }
    if (!sink.end())
        return stop(false);
    outcome.writtenFile = sink.writtenFile();
    outcome.notice = sink.notice();
    return outcome;
}

QSizeF sizeInMillimetres(const SlipLayout& layout)
{
    return QSizeF(layout.width * millimetresPerTwip, layout.height * millimetresPerTwip);
}

QString outcomeMessage(const PrintOutcome& outcome)
{
    QStringList lines;
    if (!outcome.failure.isEmpty())
        lines << u"打印失败：%1"_s.arg(outcome.failure);
    if (!outcome.notice.isEmpty())
        lines << outcome.notice;
    if (!outcome.writtenFile.isEmpty())
        lines << u"销售清单已保存到文件：\n%1"_s.arg(QDir::toNativeSeparators(outcome.writtenFile));
    return lines.join(u'\n');
}

} // namespace slip
