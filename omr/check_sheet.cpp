#include "omr/check_sheet.h"

#include "answerkey/answer_key_store.h"
#include "framework/message_box.h"
#include "image/sheet_image.h"

SheetCheck CheckSheet(SheetImage& image, const std::function<void()>& recordTitle)
{
    if (const SheetCheck prepared = image.PrepareSheet(); prepared != SheetCheck::Accepted)
        return prepared;
    if (const SheetCheck measured = image.MeasureSkew(0); measured != SheetCheck::Accepted)
        return measured;
    TakeGradingCopy();
    if (const SheetCheck fits = image.CheckGradingBounds(); fits != SheetCheck::Accepted) {
        ShowMessage(RefusalMessage(fits));
        return fits;
    }
    recordTitle();
    return image.GradeSheet(g_gradingKey.answers, g_gradingKey.count);
}
