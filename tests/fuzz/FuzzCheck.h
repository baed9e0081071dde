// The one way a harness reports a broken rule: it names the rule and aborts, which libFuzzer
// records as a crash together with the input that caused it. Plain assert() would vanish in
// a build with NDEBUG.
#pragma once

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                              \
    do {                                                                                   \
        if (!(condition)) {                                                                \
            std::fprintf(stderr, "broken rule %s:%d: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                  \
        }                                                                                  \
    } while (0)
