#pragma once
// The shape of the shared image list: which picture lists it holds, in
// which order, and how large their pictures are. The data module loads the
// strips by this table and the image painter (tools/) paints them by it, so
// the two cannot drift apart. Plain data, no Qt.

#include <array>
#include <string>

namespace marnova {

struct TImageListLayout {
  const char* Description;  // the list's Description
  int Width;                // width of one picture
  int Height;               // height of every picture
  int Count;                // pictures in the strip
  int AllocBy;              // growth step of the strip
  const char* FileName;     // strip file under assets/images/ (and :/images/)
};

// Every strip also comes at double resolution for scaled screens: the same
// pictures in the same places, every length doubled, in a file named like
// the strip's with "@2x" before the extension.
inline constexpr int kDoubleResolution = 2;

inline std::string DoubleResolutionFileName(const TImageListLayout& layout) {
  std::string name = layout.FileName;
  const std::string::size_type dot = name.rfind('.');
  return dot == std::string::npos ? name + "@2x" : name.replace(dot, 0, "@2x");
}

// Every 1x strip is also embedded as its raw pixels, converted at build
// time, in a file named like the strip's with the extension ".rgb32":
// opaque 32-bit words (QImage::Format_RGB32), rows top to bottom, no
// padding. The program reads these in place; the PNG stays the source.
inline std::string PixelsFileName(std::string stripFileName) {
  const std::string::size_type dot = stripFileName.rfind('.');
  if (dot != std::string::npos) stripFileName.erase(dot);
  return stripFileName + ".rgb32";
}

// Index of each list, for callers that name a list by its role.
enum TImageListIndex : int {
  ilButtons = 0,
  ilSliders = 1,
  ilLogo = 2,
  ilTestPanel = 3,
  ilSlidePanel = 4,
  ilBack = 5,
  ilUpperPanel = 6,
  ilSemaphore = 7,
  ilBoxInfo = 8,
};

inline constexpr std::array<TImageListLayout, 9> kImageListLayout{{
    {"Buttons", 29, 31, 2, 2, "00_buttons.png"},
    {"Sliders", 23, 11, 6, 4, "01_sliders.png"},
    {"Logo", 193, 90, 1, 1, "02_logo.png"},
    {"Test Panel", 197, 138, 1, 1, "03_test_panel.png"},
    {"Slide Panel", 195, 228, 1, 1, "04_slide_panel.png"},
    {"Back", 2, 348, 1, 1, "05_back.png"},
    {"Upper panel", 593, 90, 1, 1, "06_upper_panel.png"},
    {"Semaphore", 61, 23, 3, 3, "07_semaphore.png"},
    {"Box Info", 398, 320, 1, 1, "08_box_info.png"},
}};

}  // namespace marnova
