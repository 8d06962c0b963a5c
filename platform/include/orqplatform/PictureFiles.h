// Writing a bitmap as a picture file whose kind the file name's extension
// chooses: ".png", ".bmp" or ".jpg"/".jpeg" (any case).
#pragma once

#include <string>

namespace orq {

class TBitmap;

// Writes the top-left Width x Height pixels of Bitmap (the whole bitmap when
// either is below 1 or larger than the bitmap). PNG and JPEG are 24-bit
// colour; BMP follows the bitmap's pixel format (TBitmap::SaveToStream).
// Raises EInvalidGraphic for another extension or an empty picture, and
// EFCreateError when the file cannot be written (a partial file is removed).
void SavePictureFile(const TBitmap& Bitmap, const std::string& FileName, int Width = 0, int Height = 0,
                     int JpegQuality = 90);

}  // namespace orq
