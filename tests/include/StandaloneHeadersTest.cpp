// Every public header was compiled alone as C++11 (see CMakeLists.txt); this checks the language level
// each one was compiled at, so that the check cannot silently move to a newer standard.
#include <gtest/gtest.h>

#define KDX_PUBLIC_HEADER(header) long StandaloneLanguageLevel_##header();
#include "PublicHeaders.inc"
#undef KDX_PUBLIC_HEADER

TEST(StandaloneHeaders, EachPublicHeaderCompilesAloneAsCxx11) {
#define KDX_PUBLIC_HEADER(header) EXPECT_EQ(StandaloneLanguageLevel_##header(), 201103L) << #header ".h";
#include "PublicHeaders.inc"
#undef KDX_PUBLIC_HEADER
}
