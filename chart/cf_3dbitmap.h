// A picture named by a file, laid on the left face of the plot box. The display offers the chart no
// pictures, so a picture shows as the outline of the face it covers, drawn with the object's pen, and only
// while a file is named.
#ifndef CHART_CF_3DBITMAP_H
#define CHART_CF_3DBITMAP_H

#include "chart/cf_string.h"
#include "chart/cf_virt3dobj.h"

class cf_3DBitmap : public cf_Virt3DObj {
 public:
  explicit cf_3DBitmap(const cf_Kernel* kernel) : itsKernel(kernel) {}

  void SetKernel(const cf_Kernel* kernel) { itsKernel = kernel; }
  const cf_Kernel* Kernel() const { return itsKernel; }
  bool HasFile() const { return file.Length() > 0; }
  const cf_String& GetFile() const { return file; }
  void SetFile(const ZafIChar* name) { file.Assign(name); }
  void DrawSecondary(bf_Display& display) override;

 private:
  const cf_Kernel* itsKernel;
  cf_String file;
};

#endif
