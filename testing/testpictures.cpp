#include "testing/testpictures.h"

#include <filesystem>

std::string TestPicturePath(const std::string& name) {
  const std::filesystem::path folder(KESTROVE_TEST_PICTURES);
  std::filesystem::create_directories(folder);
  return (folder / name).string();
}
