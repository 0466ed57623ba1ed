#include "shell/letterhead.h"

namespace shell {

namespace {
QString current;
}

const QString& Letterhead()
{
    return current;
}

void setLetterhead(const QString& text)
{
    current = text;
}

} // namespace shell
