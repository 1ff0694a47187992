// The two cases of a test run once with each renderer, named "Software" (false) and "OpenGL"
// (true): INSTANTIATE_TEST_SUITE_P(Renderers, Suite, ::testing::Values(false, true), rendererName).
#pragma once

#include <gtest/gtest.h>

#include <string>

inline std::string rendererName(const ::testing::TestParamInfo<bool>& info) {
  return info.param ? "OpenGL" : "Software";
}
