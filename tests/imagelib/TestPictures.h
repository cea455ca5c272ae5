// Pictures made at test time: a pattern and encoders for every format the library decodes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "imagelib/RgbaImage.h"

using TBytes = std::vector<uint8_t>;

// A width x height pattern where every pixel differs from its neighbours; alpha varies when withAlpha.
TRgbaImage MakePattern(int width, int height, bool withAlpha);
// The pattern reduced to grey (r = g = b).
TRgbaImage MakeGreyPattern(int width, int height);

TBytes EncodePng(const TRgbaImage& image);
TBytes EncodeTga(const TRgbaImage& image, bool rle);
// Binary PNM: P6 (colour) or P5 (the red channel as grey).
TBytes EncodePnm(const TRgbaImage& image, bool colour);
// RGB or RGBA PSD, raw or run-length (PackBits) encoded.
TBytes EncodePsd(const TRgbaImage& image, bool withAlpha, bool rle);
// RGB or RGBA TIFF through libtiff; compression is a libtiff COMPRESSION_* value.
TBytes EncodeTiff(const TRgbaImage& image, bool withAlpha, int compression);
// 24- or 32-bit PCX in 3 or 4 planes, run-length encoded or raw.
TBytes EncodePcxTrueColour(const TRgbaImage& image, bool withAlpha, bool rle);
// A run-length encoded PCX with `runs` runs of length 0 ("C0 xx") before its picture data: they decode to nothing.
TBytes WithEmptyPcxRuns(TBytes pcx, std::size_t runs);
// Indexed PCX: bitsPerPixel 1, 4 or 8 in one plane, or 1 bit in `planes` planes. The palette is written in the
// header (up to 16 colours) or at the end of the file (8 bits); rgb has 3 bytes per entry.
TBytes EncodePcxIndexed(const std::vector<uint8_t>& indices, int width, int height, int bitsPerPixel, int planes,
                        const std::vector<uint8_t>& rgb);
// SGI with 1 (grey from red), 3 or 4 channels, 1 or 2 bytes a channel, verbatim or run-length encoded.
TBytes EncodeSgi(const TRgbaImage& image, int channels, int bytesPerChannel, bool rle);

// The picture drawn with palette entries: pixel = rgb[index].
TRgbaImage ExpandIndices(const std::vector<uint8_t>& indices, int width, int height, const std::vector<uint8_t>& rgb);
