// Compares the headless desktop with a reference picture kept beside the tests (tests/pictures/<name>).
// With KESTROVE_UPDATE_PICTURES=1 in the environment the desktop's picture becomes the new reference
// instead; people look at it before they keep it.
#ifndef FRAMEWORK_CORE_TESTS_REFERENCEPICTURE_H
#define FRAMEWORK_CORE_TESTS_REFERENCEPICTURE_H

#include <gtest/gtest.h>

#include <string>

#include "native/testdriver.h"

// Fails, saying how many pixels differ and where the picture taken was left, unless every pixel matches.
testing::AssertionResult MatchesReferencePicture(const native::TestDriver& driver, const std::string& name);

#endif
