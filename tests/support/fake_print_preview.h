#pragma once

#include "platform/print_preview.h"

#include <QList>

namespace testsupport {

/** Keeps every document shown and answers as the user set it would. Installed for its lifetime. */
class FakePrintPreview final : public platform::PrintPreview
{
public:
    FakePrintPreview();
    ~FakePrintPreview() override;

    bool show(const platform::PreviewDocument& document) override
    {
        shown << document;
        return printFromPreview;
    }

    QList<platform::PreviewDocument> shown;
    /** Whether the user presses the print button of the preview. */
    bool printFromPreview = false;
};

} // namespace testsupport
