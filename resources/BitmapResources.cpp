#include "platform/LastError.h"
#include "resources/BitmapReader.h"
#include "resources/EmbeddedBitmaps.h"
#include "resources/Resources.h"

platform::Image LoadBitmapResource(int id) {
    const auto file = EmbeddedBitmapFile(id);
    if (file.empty()) {
        constexpr int kResourceNotFound = 1814;
        platform::SetLastError(kResourceNotFound,
                               "The specified resource name cannot be found in the image file.");
        return {};
    }
    return ReadBitmap(file);
}
