// The fuzz targets' input as an open file, and a check that ends the run loudly.
#pragma once
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace corvane::fuzzing {

// The bytes as a file open for reading (an empty input as an empty file).
inline std::FILE* memfile(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return std::fopen("/dev/null", "rb");
  return fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
}

#define FUZZ_CHECK(cond)                                                        \
  do {                                                                          \
    if (!(cond)) {                                                              \
      std::fprintf(stderr, "check failed: %s (%s:%d)\n", #cond, __FILE__, __LINE__); \
      std::abort();                                                             \
    }                                                                           \
  } while (0)

}  // namespace corvane::fuzzing
