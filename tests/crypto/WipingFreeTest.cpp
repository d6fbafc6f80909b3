// The wiping free() and realloc() are the ones every library of the process calls.

#include <gtest/gtest.h>
#include <dlfcn.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "crypto/WipingFree.h"

namespace bv {
namespace {

TEST(WipingFree, ReplacesTheCLibrarysFreeAndRealloc) {
  if (!FreedMemoryIsWiped()) GTEST_SKIP() << "a sanitizer's allocator is in use";
  // Looked up as a shared library would find them: the program's own definitions come first.
  for (const char* name : {"free", "realloc"}) {
    void* found = ::dlsym(RTLD_DEFAULT, name);
    void* next = ::dlsym(RTLD_NEXT, name);
    ASSERT_NE(found, nullptr) << name;
    EXPECT_NE(found, next) << name << " is still the C library's";
  }
}

TEST(WipingFree, ReallocKeepsTheContentsWhetherItMovesOrNot) {
  const std::string text = "contents that must survive every move";
  char* block = static_cast<char*>(std::malloc(text.size() + 1));
  ASSERT_NE(block, nullptr);
  std::memcpy(block, text.c_str(), text.size() + 1);
  for (std::size_t size :
       {text.size() + 1, std::size_t{4096}, std::size_t{1} << 20, text.size() + 1}) {
    block = static_cast<char*>(std::realloc(block, size));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(std::string(block, text.size()), text) << size;
  }
  block = static_cast<char*>(std::realloc(block, 3));
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(std::string(block, 3), "con");
  std::free(block);
}

}  // namespace
}  // namespace bv
