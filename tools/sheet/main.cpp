// vantrel-sheet: draws the blank answer sheet and synthetic filled scans.

#include "batch_generator.h"
#include "command_line.h"
#include "filled_sheet.h"
#include "form_layout.h"
#include "framework/format.h"
#include "framework/scratch_files.h"
#include "image_output.h"
#include "sheet_pdf.h"

#include <QGuiApplication>
#include <QImageReader>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
// Qt keeps libthai's word breaker (for the Thai headings) until the process ends.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libthai.so\nleak:libdatrie.so\n";
}
extern "C" const char* __lsan_default_options()
{
    return "print_suppressions=0";
}
#endif

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

std::string Run(const PrintCommand& command)
{
    return WriteSheetPdf(command.output, QString::fromStdString(command.title), command.copies);
}

std::string Run(const FillCommand& command)
{
    if (command.paper.empty())
        return SaveScan(RenderFilledSheet(command.content, command.scan, command.seed).image, command.output,
            command.quality);
    QImageReader reader(QString::fromStdString(command.paper));
    const QImage page = reader.read();
    if (page.isNull())
        return "cannot read the page " + command.paper + ": " + reader.errorString().toStdString();
    // The bubbles sit at fixed 100-dpi positions; a page at another size would need scaling first.
    if (std::abs(page.width() - form_layout::kWidth) > 2
        || std::abs(page.height() - form_layout::kHeight) > 2)
        return FormatText("the page %s is %d x %d pixels; it must be A4 at 100 dpi (%d x %d)",
            command.paper.c_str(), page.width(), page.height(), form_layout::kWidth, form_layout::kHeight);
    return SaveScan(PencilPrintedPage(page, command.content, command.scan, command.seed).image,
        command.output, command.quality);
}

std::string Run(const BatchCommand& command)
{
    return GenerateBatch(command);
}

std::string Run(const VersionCommand&)
{
    std::printf("vantrel-sheet %s\n", VANTREL_VERSION);
    return {};
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
    RemoveScratchFilesOnSignal();

    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const ParsedCommandLine parsed = ParseCommandLine(arguments);
    if (!parsed.error.empty())
        return Fail(parsed.error + "\n(vantrel-sheet --help shows the usage)", 2);
    const std::string error = std::visit([](const auto& command) { return Run(command); }, parsed.command);
    return error.empty() ? 0 : Fail(error, 1);
}
