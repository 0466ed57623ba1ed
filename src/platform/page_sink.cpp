#include "platform/page_sink.h"

using namespace Qt::Literals::StringLiterals;

namespace platform {

namespace {

/** Refuses every run; stands in until the printing subsystem installs its sink. */
class NoPrinterSink final : public PageSink
{
public:
    bool begin(const QString&, const QSizeF&) override { return false; }
    bool printPage(const QPicture&) override { return false; }
    bool end() override { return false; }
    void abort() override { }
    QString errorText() const override { return u"没有可用的打印机"_s; }
};

PageSink* installed = nullptr;
PageSink* defaultSink = nullptr;

} // namespace

PageSink& pageSink()
{
    static NoPrinterSink none;
    if (installed)
        return *installed;
    return defaultSink ? *defaultSink : none;
}

void setPageSink(PageSink* replacement)
{
    installed = replacement;
}

void setDefaultPageSink(PageSink* sink)
{
    defaultSink = sink;
}

} // namespace platform
