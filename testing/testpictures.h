// Where the test programs put the pictures they take: one folder in the build tree, whatever the working
// folder, so a run from the top of the checkout leaves no pictures there.
#ifndef TESTING_TESTPICTURES_H
#define TESTING_TESTPICTURES_H

#include <string>

// The path of the picture called `name` in the build tree's picture folder, which is made when missing.
std::string TestPicturePath(const std::string& name);

#endif
