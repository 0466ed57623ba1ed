#include "support/fake_print_preview.h"

namespace testsupport {

FakePrintPreview::FakePrintPreview()
{
    platform::setPrintPreview(this);
}

FakePrintPreview::~FakePrintPreview()
{
    platform::setPrintPreview(nullptr);
}

} // namespace testsupport
