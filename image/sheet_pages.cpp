#include "image/sheet_pages.h"

#include "image/page_normalise.h"
#include "image/pdf_page.h"
#include "image/sheet_image.h"
#include "image/tiff_pages.h"

#include <QFile>

Result<FilePages> ListFilePages(const std::string& path)
{
    if (IsPdfFile(path)) {
        Result<int> pages = CountPdfPages(path);
        if (!pages)
            return Status::Failure(path + ": " + pages.message());
        return FilePages { *pages, {}, {} };
    }
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return FilePages {}; // loading the page says why
    // Only a TIFF's images are sheets: a GIF's frames are an animation.
    std::optional<TiffPages> tiff = ReadTiffPages(file);
    if (!tiff || (tiff->directories.size() <= 1 && !tiff->broken))
        return FilePages {};
    std::string unreadable = tiff->broken ? path + ": " + tiff->BrokenMessage() : std::string();
    return FilePages { static_cast<int>(tiff->directories.size()), std::move(tiff->directories),
        std::move(unreadable) };
}

Result<int> CountSheetPages(const std::string& path)
{
    const Result<FilePages> pages = ListFilePages(path);
    if (!pages)
        return pages.status();
    return pages->readable + (pages->unreadable.empty() ? 0 : 1);
}

Result<DecodeWarnings> LoadSheetPage(
    SheetImage& image, const std::string& path, int page, int pageCount, NeededRows needed, int64_t directory)
{
    SheetImage loaded;
    Result<DecodeWarnings> result = loaded.LoadPage(path, page, needed, directory);
    if (!result) {
        // The loader names the file; the page is named instead.
        const std::string named = path + ": ";
        if (pageCount > 1 && result.message().rfind(named, 0) == 0)
            return Status::Failure(
                PageName(path, page, pageCount) + ": " + result.message().substr(named.size()));
        return result;
    }
    const int width = loaded.GetWidth();
    const int height = loaded.GetHeight();
    if (const Status normalised = NormalisePage(loaded); !normalised)
        return Status::Failure(PageName(path, page, pageCount) + ": " + normalised.message());
    // The rows needed are rows of the page the engine reads, not of a larger scan.
    if (!needed.IsWhole() && (loaded.GetWidth() != width || loaded.GetHeight() != height))
        return LoadSheetPage(image, path, page, pageCount, {}, directory);
    image = std::move(loaded);
    return result;
}
