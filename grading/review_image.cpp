#include "grading/review_image.h"

#include "grading/annotated_paths.h"
#include "grading/rescore.h"
#include "image/sheet_pages.h"

#include "framework/safe_file_write.h"
#include "image/rgb_picture_qt.h"
#include "image/sheet_image.h"
#include "omr/mark_windows.h"
#include "omr/sheet_cuts.h"
#include "results/review_texts.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int kZoom = 3;
constexpr int kTextWidth = 560;
constexpr int kMostCuts = 24;

// Where the item lies on the scan; empty for an item with no place of its own.
PixelArea PlaceOf(const ReviewItem& item, const GradingGrid& grid)
{
    if (item.item.rfind("id:", 0) == 0) {
        const size_t column = std::stoul(item.item.substr(3)) - 1;
        return WithCutMargin(IdBandArea(grid.idBands.tops[column], grid.idBands.left));
    }
    if (item.item[0] == 'q')
        return WithCutMargin(RowScanArea(grid.rows[std::stoul(item.item.substr(1)) - 1]));
    if (item.item == "mark")
        return { kLeftMarkWindow.columns, kLeftMarkWindow.rows };
    return {};
}

} // namespace

QImage CutReviewItem(const SheetImage& scan, const GradingGrid& grid, const std::string& item, int zoom)
{
    if (item == "id") {
        const QImage bands = CutIdArea(scan, grid.idBands);
        return bands.isNull() ? bands : bands.scaled(bands.size() * zoom);
    }
    const PixelArea place = PlaceOf(ReviewItem { item, {}, {}, {} }, grid);
    return place.IsEmpty() ? QImage() : CutFromSheet(scan, place, zoom);
}

std::vector<std::string> ReviewImagePaths(const std::vector<SheetPage>& pages, const std::string& directory)
{
    if (directory.empty())
        return std::vector<std::string>(pages.size());
    std::vector<std::string> paths = AnnotatedPaths(pages, directory, "png");
    for (std::string& path : paths)
        path = path.substr(0, path.size() - 4) + "-review.png";
    return paths;
}

std::string SaveReviewImage(
    SheetImage& scan, const GradingGrid& grid, const SheetReview& review, const std::string& path)
{
    scan.ConvertTo24Bits();
    std::vector<std::pair<QImage, QString>> cuts;
    for (const ReviewItem& item : review.items) {
        if (cuts.size() == kMostCuts)
            break;
        const QString text = QString::fromStdString(ReviewItemText(item));
        const PixelArea place = PlaceOf(item, grid);
        cuts.emplace_back(place.IsEmpty() ? QImage() : CutFromSheet(scan, place, kZoom), text);
    }
    int width = kTextWidth;
    int height = 0;
    for (const auto& [cut, text] : cuts) {
        width = std::max(width, cut.width() + kTextWidth);
        height += std::max(cut.height(), 40) + 8;
    }
    QImage picture(width, std::max(height, 1), QImage::Format_RGB888);
    picture.fill(Qt::white);
    {
        QPainter painter(&picture);
        int top = 0;
        for (const auto& [cut, text] : cuts) {
            painter.drawImage(0, top, cut);
            painter.setPen(Qt::black);
            painter.drawText(QRect(cut.width() + 12, top, kTextWidth - 16, std::max(cut.height(), 40)),
                Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, text);
            top += std::max(cut.height(), 40) + 8;
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(picture))
        return "cannot write " + path + ": " + writer.errorString().toStdString();
    const Status written = WriteFileSafely(path, std::string_view(bytes.constData(), bytes.size()));
    return written ? std::string() : written.message();
}

RgbPicture CutRecordedIdArea(const GradedSheet& sheet)
{
    const SheetPage& page = sheet.page;
    SheetImage scan;
    if (!sheet.measured || StateSince(page.file, sheet.fingerprint) != FileSince::Unchanged
        || !LoadSheetPage(scan, page.file, page.page, page.pageCount, {}, page.directory))
        return {};
    scan.ConvertTo24Bits();
    return PictureOf(CutIdArea(scan, LayIdBands(sheet.measures.skew)));
}
