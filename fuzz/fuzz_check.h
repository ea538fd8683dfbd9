#pragma once

#include <cstdio>
#include <cstdlib>

// A broken invariant is a finding just like a sanitizer report: stop with a message so that
// libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                            \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (false)
