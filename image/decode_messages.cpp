#include "image/decode_messages.h"

#include <QCoreApplication>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>
#include <thread>

namespace {

// The innermost collector of each thread that has one: Qt calls the handler on the
// thread that logs, so a line goes to that thread's collector.
std::mutex g_collectorsMutex;
std::map<std::thread::id, DecodeMessages*> g_collectors;
QtMessageHandler g_passOn = nullptr;

DecodeMessages* CollectorOfThisThread()
{
    const std::lock_guard lock(g_collectorsMutex);
    const auto found = g_collectors.find(std::this_thread::get_id());
    return found == g_collectors.end() ? nullptr : found->second;
}

// Makes the collector (or none) this thread's innermost one.
void SetCollectorOfThisThread(DecodeMessages* collector)
{
    const std::lock_guard lock(g_collectorsMutex);
    if (collector)
        g_collectors[std::this_thread::get_id()] = collector;
    else
        g_collectors.erase(std::this_thread::get_id());
}

void Collect(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtWarningMsg || type == QtCriticalMsg) {
        if (DecodeMessages* collector = CollectorOfThisThread()) {
            const bool named = context.category && std::strcmp(context.category, "default") != 0;
            collector->Add(
                (named ? std::string(context.category) + ": " : std::string()) + text.toStdString());
            return;
        }
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
    : m_outer(CollectorOfThisThread())
{
    InstallCollector();
    SetCollectorOfThisThread(this);
}

DecodeMessages::~DecodeMessages()
{
    SetCollectorOfThisThread(m_outer);
}

std::string DecodeMessages::Joined() const
{
    std::string joined;
    for (const std::string& line : m_lines)
        joined += (joined.empty() ? "" : "; ") + line;
    return joined;
}
