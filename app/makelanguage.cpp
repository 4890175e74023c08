// Writes a language file whose texts are the built-in ones: makelanguage <file> "<display name>,<locale>".
// The build runs it to place the English language file beside the program.

#include <cstdio>

#include "app/settingsfiles.h"
#include "foundation/kregistry.h"
#include "foundation/kstream.h"
#include "foundation/kx.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: makelanguage <file> \"<display name>,<locale code>\"\n");
    return 2;
  }
  KRegistry::RegisterTypes();
  int status = 0;
  {
    KRegistry root;
    SettingsFiles settings(root, KString::FromUtf8(argv[1]));
    settings.LoadDefaults();
    try {
      SettingsFiles::WriteLanguageFile(KString::FromUtf8(argv[1]), root, KString::FromUtf8(argv[2]),
                                       KStream::kEncodingLocal, KStream::kLineLf);
    } catch (const KX& failure) {
      std::fprintf(stderr, "makelanguage: cannot write %s (error %d)\n", argv[1],
                   static_cast<int>(failure.Code()));
      status = 1;
    }
  }
  KRegistry::UnregisterTypes();
  return status;
}
