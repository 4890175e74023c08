#include "app/producttitle.h"

KString ProductTitle() {
  KString title(kProductName);
  title.Append(u"  v").Append(kProductVersion);
  return title;
}
