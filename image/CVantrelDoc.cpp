#include "image/CVantrelDoc.h"

#include "framework/format.h"
#include "framework/message_box.h"
#include "framework/qt/FileDialog.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace {

// The extension Save As gives each type; a type without an encoder of its own
// (BMP among them) is written as TIFF.
const char* SaveExtension(ImageType type)
{
    switch (type) {
    case ImageType::Jpeg:
        return "jpg";
    case ImageType::Gif:
        return "gif";
    case ImageType::Png:
        return "png";
    default:
        return "tif";
    }
}

} // namespace

ImageResult CVantrelDoc::OnOpenDocument(const QString& path)
{
    auto image = std::make_unique<SheetImage>();
    ImageResult result = image->LoadFromFile(path.toStdString());
    if (!result)
        return result;
    // What the decoder said of a sheet it still read, named after the sheet.
    for (const std::string& warning : result.warnings)
        std::fprintf(stderr, "%s: %s\n", path.toLocal8Bit().constData(), warning.c_str());
    m_pImage = std::move(image);
    m_pathName = path;
    m_title = QFileInfo(path).fileName();
    return result;
}

void CVantrelDoc::UpdateAllViews()
{
    emit ImageChanged();
}

void CVantrelDoc::OnFileSaveAs(int preselectedType) const
{
    if (!m_pImage)
        return;
    std::string filter;
    std::vector<ImageType> types;
    if (!SheetImage::BuildImageFilter(filter, types, nullptr, ImageTypeMask::DialogDefault, '|'))
        return;

    FileDialogRequest request;
    request.kind = FileDialogRequest::Kind::Save;
    request.types = ParseFileTypeFilter(filter, '|');
    request.initialType = preselectedType;
    request.initialName = m_title;
    const FileDialogChoice choice = ChooseFile(request);
    if (!choice.accepted)
        return;

    const ImageType type = choice.selectedType >= 1 && choice.selectedType <= static_cast<int>(types.size())
        ? types[static_cast<size_t>(choice.selectedType - 1)]
        : ImageType::None;
    const QFileInfo chosen(choice.path);
    const QString path = chosen.absolutePath() + QLatin1Char('/') + chosen.completeBaseName()
        + QLatin1Char('.') + QLatin1String(SaveExtension(type));
    if (const ImageResult saved = m_pImage->SaveToFile(path.toStdString()); !saved)
        ShowMessage(FormatText("บันทึกภาพ %s ไม่สำเร็จ\n%s", QDir::toNativeSeparators(path).toStdString().c_str(),
            saved.message.c_str()));
}
