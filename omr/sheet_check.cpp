#include "omr/sheet_check.h"

std::string RefusalMessage(SheetCheck check)
{
    switch (check) {
    case SheetCheck::Accepted:
        return {};
    case SheetCheck::TooSmall:
        return "ภาพมีขนาดเล็กเกินไป ไม่ใช่กระดาษคำตอบ\nไม่สามารถตรวจได้";
    case SheetCheck::NoRegistrationMark:
        return "ไม่พบเครื่องหมายอ้างอิงของกระดาษคำตอบ\nไม่สามารถตรวจได้";
    case SheetCheck::OutsideImage:
        return "ตำแหน่งกระดาษคำตอบอยู่นอกขอบภาพ\nไม่สามารถตรวจได้";
    }
    return {};
}
