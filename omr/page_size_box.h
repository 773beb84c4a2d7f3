#pragma once

#include "framework/message_box.h"
#include "omr/sheet_check.h"

#include <string>

class SheetImage;

// Passes the engine's texts on, except one: on a page whose size shows that it was
// scanned at another resolution than it says (image/page_normalise.h), "no
// registration mark" would send the teacher looking for a fault in the sheet, so the
// page size and the size expected are shown instead. The engine itself is unchanged.
class PageSizeBox : public MessageBoxService {
public:
    // `inner` null: the thread's message box (framework/message_box.h).
    PageSizeBox(MessageBoxService* inner, const SheetImage& page);

    void Show(const std::string& text) override;
    // The text a refusal is reported with on this page.
    std::string Refusal(SheetCheck check) const;

private:
    MessageBoxService* m_inner;
    std::string m_sizeMessage; // empty when the size explains nothing
};
