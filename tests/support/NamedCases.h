// Parameterised cases that carry their own `name`: it names each instance of the test and stands
// for the case in failure messages.
#pragma once

#include <ostream>
#include <string>

#include <gtest/gtest.h>

namespace velmtest {

// The name generator for INSTANTIATE_TEST_SUITE_P: the case's own name.
struct CaseName {
  template <class Case>
  std::string operator()(const ::testing::TestParamInfo<Case>& info) const {
    return info.param.name;
  }
};

}  // namespace velmtest

// Prints a case of this type as its name; written beside the type, where GoogleTest looks for it.
#define VELM_PRINT_CASE_BY_NAME(Case)                    \
  inline void PrintTo(const Case& c, std::ostream* os) { \
    *os << c.name;                                       \
  }
