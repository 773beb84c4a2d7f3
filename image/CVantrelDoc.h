#pragma once

#include "framework/status.h"
#include "image/sheet_image.h"

#include <QObject>
#include <QString>

#include <memory>

// One opened sheet: owns its image, which its views draw and the checking
// commands grade. Never marked modified, so closing it never asks to save. It
// knows nothing of its views: they follow ImageChanged.
class CVantrelDoc : public QObject {
    Q_OBJECT

public:
    // Loads the sheet; on failure the document keeps no image and says why.
    Status OnOpenDocument(const QString& path);

    SheetImage* GetImage() const { return m_pImage.get(); }
    const QString& GetPathName() const { return m_pathName; }
    // The file name shown in the window and recorded in the results register.
    const QString& GetTitle() const { return m_title; }

    // The engine paints into the image behind the document's back; whoever ran it
    // calls this, and every view redraws.
    void UpdateAllViews();

    // Writes the image under a name chosen in a save dialog, its type (and
    // extension) taken from the selected entry; preselectedType is counted from 1.
    // An existing file of the name written is replaced only when the person says so.
    void OnFileSaveAs(int preselectedType) const;

signals:
    void ImageChanged();

private:
    // True when nothing is at the path, or the person agrees to replace it.
    bool MayReplace(const QString& path) const;

    std::unique_ptr<SheetImage> m_pImage;
    QString m_pathName;
    QString m_title;
};
