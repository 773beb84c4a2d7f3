#include "image/decode_messages.h"

#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstring>

namespace {

thread_local std::vector<std::string>* t_lines = nullptr;
thread_local DecodeMessages* t_collector = nullptr;
QtMessageHandler g_passOn = nullptr;

void Collect(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (t_lines && (type == QtWarningMsg || type == QtCriticalMsg)) {
        const bool named = context.category && std::strcmp(context.category, "default") != 0;
        t_lines->push_back(
            (named ? std::string(context.category) + ": " : std::string()) + text.toStdString());
        return;
    }
    if (g_passOn) {
        g_passOn(type, context, text);
        return;
    }
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

// Installed once for the process, on the first load: a handler installed per load
// would race with the loads of other threads.
void InstallCollector()
{
    static const bool installed = [] {
        g_passOn = qInstallMessageHandler(Collect);
        return true;
    }();
    (void)installed;
}

} // namespace

DecodeMessages::DecodeMessages()
    : m_outer(t_collector)
{
    InstallCollector();
    t_collector = this;
    t_lines = &m_lines;
}

DecodeMessages::~DecodeMessages()
{
    t_collector = m_outer;
    t_lines = m_outer ? &m_outer->m_lines : nullptr;
}

std::string DecodeMessages::Joined() const
{
    std::string joined;
    for (const std::string& line : m_lines)
        joined += (joined.empty() ? "" : "; ") + line;
    return joined;
}
