// Any bytes as a sheet file: loads or is refused, within the memory limit.
#include "fuzz_input.h"
#include "image/sheet_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    SheetImage image;
    if (image.LoadFromFile(InputFile(data, size)))
        image.ConvertTo24Bits();
    return 0;
}
