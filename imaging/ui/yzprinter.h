// The printer of the imaging side: the toolkit's printer with the settings of an image printout (zoom,
// smoothing, resolution, image height, how many results go with the image). The results pane and the image
// pane each keep one for the whole run; only the print-image dialog's launcher sets the image settings.
#ifndef IMAGING_UI_YZPRINTER_H
#define IMAGING_UI_YZPRINTER_H

#include <cstdint>

#include "toolkit/kzprinter.h"

class YZPrinter : public KZPrinter {
 public:
  YZPrinter();
  ~YZPrinter();

  // The zoom factor 1, 2, 4 or 8 (0 until set).
  int32_t Zoom() const { return zoom; }
  bool Smooth() const { return smooth; }
  // Dots per inch: 300, 600 or 1200 (0 until set).
  int32_t Resolution() const { return resolution; }
  // Inches.
  double ImageHeight() const { return imageHeight; }
  // Results printed with the image, 0 for none.
  int32_t MaxResults() const { return maxResults; }

  // Runs the print-image dialog for an image `imageLength` lines long; on Ok copies its choices into the
  // printer and answers true, otherwise leaves the printer as it was.
  static bool SetupImage(YZPrinter& printer, int32_t imageLength);

 private:
  int32_t zoom = 0;
  bool smooth = false;
  int32_t resolution = 0;
  double imageHeight = 0;
  int32_t maxResults = 0;
};

#endif
