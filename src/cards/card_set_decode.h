#pragma once
// Decoding of card-set files (*.tvp, *.tavi) into pictures, without any toolkit: straight into
// the table's 32-bit pixel format for the game, or into plain 24-bit pictures.
//
// Two variants, told apart by the magic alone:
//  - PC ("PCTAVI", little-endian): 57 images of 16-bit colour, direct or through a 256-entry
//    palette per image, for sheet cells 2..58;
//  - planar ("TAVI", big-endian): up to 59 images of bitplanes with one shared palette and
//    optional hold-and-modify colour, for sheet cells 0..58.
//
// Every function works on the bytes actually read from the file and treats every header value
// as untrusted:
//  - header bytes beyond the bytes read count as zero (as in a zero-filled read buffer);
//  - an image is decoded only when all of its pixel data (and, for the planar variant, the
//    palette before it) lies within the bytes read; any other image is black. This covers short
//    files, huge strides, palettes and image counts that point past the data;
//  - a planar pixel value that names an entry beyond the palette is black;
//  - planar files: D (byte 20) above 8 decodes 8 planes; HAM with 8 planes uses the eight-plane
//    rule, HAM with 2..7 planes the six-plane rule (bits 4 and 5 select the modify step), and
//    HAM with fewer than 2 planes gives black images (its palette counts one entry).
#include <cstddef>
#include <cstdint>
#include <span>

#include "cards/card_image.h"

namespace cards {

using ByteView = std::span<const std::uint8_t>;

// Read limits: the sheet loader reads at most this many bytes of a file, the preview less.
inline constexpr std::size_t kSheetReadLimit = 1'400'000;
inline constexpr std::size_t kPreviewReadLimit = 200'000;

inline constexpr std::size_t kHeaderSize = 22;
inline constexpr int kPcImageCount = 57;
inline constexpr std::size_t kPcDirectRecordSize = 22884;
inline constexpr std::size_t kPcIndexedRecordSize = 11956;
inline constexpr int kMaxPlanarImages = 59;
inline constexpr std::size_t kPlaneRowBytes = 11;
inline constexpr std::uint32_t kHamFlag = 0x800;

enum class CardSetVariant { None, PcDirect, PcIndexed, Planar };

CardSetVariant detectVariant(ByteView file);

// Byte offset of PC image record `index` (0..56).
std::uint64_t pcRecordOffset(int index, bool indexed);

// The planar header with the values derived from it.
struct PlanarHeader {
  std::uint32_t stride = 0;     // S: distance between image starts
  std::uint32_t modeFlags = 0;  // display-mode flags
  bool ham = false;             // modeFlags & kHamFlag
  unsigned depth = 0;           // D as stored
  unsigned planes = 0;          // P = D capped at 8
  unsigned paletteSize = 1;     // E, capped at 256
  unsigned imageCount = 0;      // N as stored
  unsigned imagesUsed = 0;      // N capped at 59
  Rgb tableColour;              // palette entry 0, file offsets 22..24
  Rgb selectColour;             // palette entry 2, file offsets 28..30

  // Byte offset of image `index`.
  std::uint64_t imageOffset(unsigned index) const;
  // Bytes of pixel data in one image: 130 rows of P plane rows of 11 bytes.
  std::uint64_t imageDataSize() const;
};

PlanarHeader readPlanarHeader(ByteView file);

// A hold-and-modify rule: the two bits from `controlShift` up select the step (0 palette entry,
// 1 blue, 2 red, 3 green), the bits of `dataMask` give the new component's level, times `scale`.
struct HamRule {
  unsigned controlShift, dataMask, scale;
};

// The eight-plane rule for 8 planes; the six-plane rule for every other plane count.
constexpr HamRule hamRuleFor(unsigned planes) {
  return planes == 8 ? HamRule{6, 63, 4} : HamRule{4, 15, 16};
}

// Palette size for a depth and HAM flag: 2^D, or 2^(D-2) with HAM (1 below 2 planes), capped
// at 256.
unsigned planarPaletteSize(unsigned depth, bool ham);

// Number of bytes the header promises: the end of the last image's pixel data.
std::uint64_t promisedSize(ByteView file);

// Decode one image into `target`. Returns false, with `target` black, when the image lies
// (partly) outside `file`.
bool decodePcImage(const RgbTarget& target, ByteView file, int imageIndex, bool indexed);
bool decodePlanarImage(const RgbTarget& target, ByteView file, int imageIndex, unsigned paletteSize,
                       unsigned planes, bool ham, std::uint32_t stride);

// The kind of card set a file holds: a PC set, a planar set (which carries the Amiga colours), or
// neither (no magic of either: no sheet).
enum class CardSetFormat : std::uint8_t { None, Pc, Planar };

// What a load yields besides the sheet. The two colours are palette entries 0 and 2 of a planar
// set as colour values.
struct CardSetInfo {
  bool hasSheet = false;
  CardSetFormat format = CardSetFormat::None;
  std::uint32_t amigaTableColour = 0;
  std::uint32_t amigaSelectColour = 0;
};

// Builds the 704 x 1040 sheet from the bytes of a card-set file, writing every pixel once. Cells
// that the file does not fill are black; without a known magic the sheet is black and `hasSheet`
// false.
CardSetInfo buildCardSheet(ByteView file, CardSheet& sheet);
CardSetInfo buildCardSheet(ByteView file, const Rgb32Sheet& sheet);

// The chooser's preview: the picture of sheet cell 3, the face of card value 0 (PC image 1,
// planar image 3; the planar image count is not consulted). False (and black) without a magic.
bool buildCardPreview(ByteView file, CardImage& preview);
bool buildCardPreview(ByteView file, const Rgb32Target& preview);

}  // namespace cards
