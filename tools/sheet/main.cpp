// vantrel-sheet: draws the blank answer sheet and synthetic filled scans.

#include "batch_generator.h"
#include "command_line.h"
#include "filled_sheet.h"
#include "image_output.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// The offscreen platform complains about a missing runtime folder it never uses.
void DropRuntimeFolderNotice(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (message.startsWith(QLatin1String("QStandardPaths:")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(message));
    if (type == QtFatalMsg)
        std::abort();
}

int Fail(const std::string& message, int code)
{
    std::fprintf(stderr, "vantrel-sheet: %s\n", message.c_str());
    return code;
}

std::string Run(const BlankCommand& command)
{
    return SaveScan(RenderBlankSheet(), command.output, 90);
}

std::string Run(const FillCommand& command)
{
    return SaveScan(RenderFilledSheet(command.content, command.noise, command.seed), command.output,
                    command.quality);
}

std::string Run(const BatchCommand& command)
{
    return GenerateBatch(command);
}

std::string Run(const HelpCommand&)
{
    std::fputs(UsageText().c_str(), stdout);
    return {};
}

} // namespace

int main(int argc, char* argv[])
{
    // Drawing text needs a GUI application, never a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(DropRuntimeFolderNotice);
    QGuiApplication application(argc, argv);

    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const ParsedCommandLine parsed = ParseCommandLine(arguments);
    if (!parsed.error.empty())
        return Fail(parsed.error + "\n(vantrel-sheet --help shows the usage)", 2);
    const std::string error = std::visit([](const auto& command) { return Run(command); }, parsed.command);
    return error.empty() ? 0 : Fail(error, 1);
}
