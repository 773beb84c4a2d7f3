#pragma once

#include "image/image_result.h"
#include "image/sheet_image.h"

#include <QString>

#include <memory>
#include <vector>

class CVantrelView;

// One opened sheet: owns its image, which its views draw and the checking
// commands grade. Never marked modified, so closing it never asks to save.
class CVantrelDoc
{
public:
    // Loads the sheet; on failure the document keeps no image and says why.
    ImageResult OnOpenDocument(const QString& path);

    SheetImage* GetImage() const { return m_pImage.get(); }
    const QString& GetPathName() const { return m_pathName; }
    // The file name shown in the window and recorded in the results register.
    const QString& GetTitle() const { return m_title; }

    void UpdateAllViews() const;

    // Writes the image under a name chosen in a save dialog, its type (and
    // extension) taken from the selected entry; preselectedType is counted from 1.
    void OnFileSaveAs(int preselectedType) const;

    void AddView(CVantrelView* view);
    void RemoveView(CVantrelView* view);
    const std::vector<CVantrelView*>& GetViews() const { return m_views; }

private:
    // "img001.tif" for one window, "img001.tif:1", "img001.tif:2" ... for several.
    void UpdateFrameTitles() const;

    std::unique_ptr<SheetImage> m_pImage;
    QString m_pathName;
    QString m_title;
    std::vector<CVantrelView*> m_views;
};
