#include "grading/sheet_outcome.h"

const char* StatusName(SheetStatus status)
{
    switch (status) {
    case SheetStatus::Reported:
        return "reported";
    case SheetStatus::Unreported:
        return "unreported";
    case SheetStatus::Refused:
        return "refused";
    }
    return "refused";
}
