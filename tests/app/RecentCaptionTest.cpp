// The shortened form of a recent path, measured with stand-in widths.
#include <gtest/gtest.h>

#include <random>

#include "app/RecentList.h"

namespace bv {
namespace {

int OnePerByte(std::string_view text) { return static_cast<int>(text.size()); }

TEST(RecentCaption, ShortensByDroppingLeadingFoldersAfterTheHead) {
  struct Case {
    const char* path;
    int width;
    const char* shown;
  };
  const Case cases[] = {
      // 37 bytes: fits, exactly fits, then loses one folder after another.
      {"/home/ana/Documentos/perfiles/mio.bv3", 320, "/home/ana/Documentos/perfiles/mio.bv3"},
      {"/home/ana/Documentos/perfiles/mio.bv3", 37, "/home/ana/Documentos/perfiles/mio.bv3"},
      // "/..." is as wide as "/ana": the first folder alone never makes room.
      {"/home/ana/Documentos/perfiles/mio.bv3", 36, "/home/.../perfiles/mio.bv3"},
      {"/home/ana/Documentos/perfiles/mio.bv3", 26, "/home/.../perfiles/mio.bv3"},
      {"/home/ana/Documentos/perfiles/mio.bv3", 25, "/home/.../mio.bv3"},
      {"/home/ana/Documentos/perfiles/mio.bv3", 17, "/home/.../mio.bv3"},
      // Not even the file name fits: it is shown whole between the marks.
      {"/home/ana/Documentos/perfiles/mio.bv3", 16, "/home/.../mio.bv3/..."},
      {"/home/un-nombre-de-archivo-largo.bv3", 20, "/home/.../un-nombre-de-archivo-largo.bv3/..."},
      // A relative path keeps its first folder.
      {"perfiles/viejos/mio.bv3", 20, "perfiles/.../mio.bv3"},
      {"perfiles/viejos/mio.bv3", 15, "perfiles/.../mio.bv3/..."},
      // Nothing but the head: nothing to leave out.
      {"/un-nombre-de-archivo-largo.bv3", 10, "/un-nombre-de-archivo-largo.bv3"},
      {"mio.bv3", 3, "mio.bv3"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ShortenedPath(c.path, c.width, OnePerByte), c.shown) << c.path << " in " << c.width;
}

TEST(RecentCaption, MeasuresWithTheGivenWidthsNotTheLength) {
  // Wide capitals: "/home/AAAA/b/f" is 14 bytes but 26 units wide.
  const TextWidth wide = [](std::string_view text) {
    int width = 0;
    for (char c : text) width += c == 'A' ? 4 : 1;
    return width;
  };
  EXPECT_EQ(ShortenedPath("/home/AAAA/b/f", 14, wide), "/home/.../b/f");
  EXPECT_EQ(ShortenedPath("/home/AAAA/b/f", 14, OnePerByte), "/home/AAAA/b/f");
}

// Whatever the path and the room, the result keeps the head and the file name, and fits
// unless only the file name was left.
TEST(RecentCaption, RandomPathsKeepHeadAndNameAndFit) {
  std::mt19937 random(20261208);
  const auto word = [&](int max) {
    std::string w;
    const int n = 1 + static_cast<int>(random() % static_cast<unsigned>(max));
    for (int i = 0; i < n; ++i) w += static_cast<char>('a' + random() % 26);
    return w;
  };
  for (int round = 0; round < 2000; ++round) {
    const int folders = 1 + static_cast<int>(random() % 7);
    std::string path;
    for (int f = 0; f < folders; ++f) path += "/" + word(12);
    const std::string head = path.substr(0, path.find('/', 1));
    const std::string name = "/" + word(20) + ".bv3";
    path += name;
    const int room = 5 + static_cast<int>(random() % 60);
    const std::string shown = ShortenedPath(path, room, OnePerByte);
    SCOPED_TRACE(path + " in " + std::to_string(room) + " -> " + shown);
    if (OnePerByte(path) <= room) {
      EXPECT_EQ(shown, path);
      continue;
    }
    ASSERT_EQ(shown.rfind(head + "/.../", 0), 0u);
    if (shown.ends_with(name + "/...")) {
      EXPECT_EQ(shown, head + "/..." + name + "/...");
      EXPECT_GT(OnePerByte(head + "/..." + name), room);
    } else {
      EXPECT_TRUE(shown.ends_with(name));
      EXPECT_LE(OnePerByte(shown), room);
      // As many trailing folders as fit: one more would not.
      const std::string tail = shown.substr(head.size() + 4);
      const std::size_t at = path.rfind(tail);
      ASSERT_NE(at, std::string::npos);
      const std::size_t previous = path.rfind('/', at - 1);
      if (previous >= head.size()) {
        EXPECT_GT(OnePerByte(head + "/..." + path.substr(previous)), room);
      }
    }
  }
}

}  // namespace
}  // namespace bv
