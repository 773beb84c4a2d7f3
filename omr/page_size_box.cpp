#include "omr/page_size_box.h"

#include "image/page_normalise.h"
#include "image/sheet_image.h"

PageSizeBox::PageSizeBox(MessageBoxService* inner, const SheetImage& page)
    : m_inner(inner)
{
    if (SizeShowsResolution(page))
        m_sizeMessage = PageSizeMessage(page.GetWidth(), page.GetHeight());
}

void PageSizeBox::Show(const std::string& text)
{
    const std::string& shown
        = !m_sizeMessage.empty() && text == RefusalMessage(SheetCheck::NoRegistrationMark) ? m_sizeMessage
                                                                                           : text;
    if (m_inner)
        m_inner->Show(shown);
    else
        ShowMessage(shown);
}

std::string PageSizeBox::Refusal(SheetCheck check) const
{
    if (check == SheetCheck::NoRegistrationMark && !m_sizeMessage.empty())
        return m_sizeMessage;
    return RefusalMessage(check);
}
