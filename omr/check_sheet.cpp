#include "omr/check_sheet.h"

#include "image/sheet_image.h"
#include "omr/engine_state.h"
#include "omr/grading_grid.h"

CheckedSheet CheckSheet(
    SheetImage& image, EngineState& engine, const AnswerKey& key, const std::function<void()>& recordTitle)
{
    if (const SheetCheck prepared = image.PrepareSheet(engine); prepared != SheetCheck::Accepted)
        return { prepared };
    if (const SheetCheck measured = image.MeasureSkew(engine, 0); measured != SheetCheck::Accepted)
        return { measured };
    const std::optional<GradingGrid> grid = LayGradingGridOrRefuse(image, engine);
    if (!grid)
        return { SheetCheck::OutsideImage };
    recordTitle();
    image.GradeOnGrid(engine, *grid, key.answers, key.count);
    return { SheetCheck::Accepted, grid->rows };
}
