// Each test runs under a memory cap, so a looping fault fails within seconds
// with bad_alloc instead of taking the machine's memory until the time limit.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>
#endif

#if defined(__SANITIZE_ADDRESS__)
#define KALVEX_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KALVEX_ADDRESS_SANITIZER 1
#endif
#endif

int main(int argc, char** argv) {
#if !defined(_WIN32) && !defined(KALVEX_ADDRESS_SANITIZER)
  // AddressSanitizer reserves terabytes of address space up front.
  rlimit cap{rlim_t{2} << 30, rlim_t{2} << 30};
  setrlimit(RLIMIT_AS, &cap);
#endif
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
