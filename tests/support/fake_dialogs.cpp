#include "support/fake_dialogs.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace testsupport {

FakeDialogs::FakeDialogs()
{
    platform::setDialogs(this);
}

FakeDialogs::~FakeDialogs()
{
    platform::setDialogs(nullptr);
}

void FakeDialogs::expect(const QString& text, platform::Answer answer)
{
    m_expected.append({ Kind::Message, text, answer, {} });
}

void FakeDialogs::expectInput(const QString& promptPart, const QString& reply)
{
    m_expected.append({ Kind::Input, promptPart, platform::Answer::Ok, reply });
}

void FakeDialogs::expectOpenFile(const QString& path)
{
    m_expected.append({ Kind::OpenFile, {}, platform::Answer::Ok, path });
}

void FakeDialogs::expectSaveFile(const QString& path, int filter)
{
    m_expected.append({ Kind::SaveFile, {}, platform::Answer::Ok, path, filter });
}

FakeDialogs::Shown FakeDialogs::last() const
{
    if (m_shown.isEmpty()) {
        QTest::qFail("no prompt was shown", __FILE__, __LINE__);
        return {};
    }
    return m_shown.last();
}

bool FakeDialogs::verifyDone(QString* problem)
{
    QStringList problems = m_unexpected;
    for (const auto& expected : m_expected)
        problems << u"expected but not shown: %1"_s.arg(expected.text);
    m_expected.clear();
    m_unexpected.clear();
    if (problem)
        *problem = problems.join(u'\n');
    return problems.isEmpty();
}

platform::Answer FakeDialogs::ask(const platform::Prompt& prompt)
{
    m_shown.append({ Kind::Message, prompt, {} });
    if (m_expected.isEmpty() || m_expected.first().kind != Kind::Message || m_expected.first().text != prompt.text) {
        m_unexpected << u"unexpected message: %1"_s.arg(prompt.text);
        return prompt.buttons == platform::Buttons::YesNo ? platform::Answer::No : platform::Answer::Cancel;
    }
    return m_expected.takeFirst().answer;
}

QString FakeDialogs::input(const QString& prompt, const QString& title, const QString& defaultText)
{
    m_shown.append({ Kind::Input, { prompt, title, platform::Buttons::OkCancel, platform::Icon::None }, defaultText });
    if (m_expected.isEmpty() || m_expected.first().kind != Kind::Input || !prompt.contains(m_expected.first().text)) {
        m_unexpected << u"unexpected input box: %1"_s.arg(prompt);
        return {};
    }
    return m_expected.takeFirst().reply;
}

QString FakeDialogs::openFile(const platform::OpenFileRequest& request)
{
    m_shown.append({ Kind::OpenFile,
                     { request.filter, request.title, platform::Buttons::OkCancel, platform::Icon::None },
                     request.folder });
    if (m_expected.isEmpty() || m_expected.first().kind != Kind::OpenFile) {
        m_unexpected << u"unexpected open-file dialog: %1"_s.arg(request.title);
        return {};
    }
    return m_expected.takeFirst().reply;
}

platform::SaveFileChoice FakeDialogs::saveFile(const platform::SaveFileRequest& request)
{
    m_shown.append(
        { Kind::SaveFile,
          { request.filters.join(u";;"_s), request.title, platform::Buttons::OkCancel, platform::Icon::None },
          request.suggestedPath });
    if (m_expected.isEmpty() || m_expected.first().kind != Kind::SaveFile) {
        m_unexpected << u"unexpected save-file dialog: %1"_s.arg(request.title);
        return {};
    }
    const Expected expected = m_expected.takeFirst();
    return { expected.reply, expected.filter };
}

} // namespace testsupport
