// scripts/check-layers.py on a scratch copy of the sources: the tree as it stands passes, and
// an include planted where it runs up a layer (or brings window code into a core file) is
// refused, naming the file and the include. The copy has no .git, so the files are found on
// disk, as in a source archive.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "support/ScratchFolder.h"

namespace bv {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::ScratchFolder;
using test::WriteFile;

struct CheckRun {
  int code = -1;
  std::string output;
};

class LayerCheckTest : public ::testing::Test {
 protected:
  LayerCheckTest() {
    fs::copy(fs::path(BV_SOURCE_DIR) / "src", scratch_ / "src", fs::copy_options::recursive);
    fs::create_directory(scratch_ / "cmake");
    fs::copy_file(fs::path(BV_SOURCE_DIR) / "cmake" / "Sources.cmake",
                  scratch_ / "cmake" / "Sources.cmake");
  }

  void Append(const std::string& file, const std::string& line) {
    const fs::path path = scratch_ / file;
    WriteFile(path, ReadFile(path) + line + "\n");
  }

  CheckRun Check() {
    const std::string command = "python3 '" BV_SOURCE_DIR "/scripts/check-layers.py' '" +
                                scratch_.path().string() + "' 2>&1";
    CheckRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
      run.output.append(buffer, n);
    const int status = ::pclose(pipe);
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
  }

  ScratchFolder scratch_;
};

TEST_F(LayerCheckTest, TheSourcesAsTheyStandPass) {
  const CheckRun run = Check();
  EXPECT_EQ(run.code, 0) << run.output;
  EXPECT_EQ(run.output, "");
}

struct Planted {
  const char* file;
  const char* include;
  const char* refusal;  // empty: the include is allowed
};

// New files a row may include: a header no sources list places, which includes Qt, so it is
// window code; and one that includes nothing, so it is core.
constexpr const char* kQtHeader = "src/files/Probe.h";
constexpr const char* kPlainHeader = "src/files/Plain.h";

const Planted kPlanted[] = {
    {"src/crypto/Cipher.cpp", "profile/NodeData.h", "from the layer profile above crypto"},
    {"src/profile/NodeData.h", "tools/NodeSearch.h", "from the layer tools above profile"},
    {"src/export/CsvImport.cpp", "app/RecentList.h",
     "from the program folder app above the layers"},
    {"src/cli/Commands.cpp", "app/RecentList.h", "from the program folder app beside cli"},
    {"src/app/RecentList.cpp", "cli/TreeJson.h", "from the program folder cli beside app"},
    // A header of no window source, which includes Qt types, is window code all the same.
    {"src/tools/PasswordHealth.cpp", "ui/Seams.h", "window code in a core file"},
    {"src/config/Settings.cpp", "config/Translation.h", "window code in a core file"},
    {"src/files/FileHandle.cpp", "files/Probe.h", "window code in a core file"},
    // Downwards, sideways within a folder and from a window file to the core: allowed.
    {"src/profile/NodeData.cpp", "crypto/Cipher.h", ""},
    {"src/config/Translation.cpp", "config/Settings.h", ""},
    {"src/browser/TreeModel.cpp", "profile/NodeData.h", ""},
    {"src/cli/Commands.cpp", "export/CsvImport.h", ""},
    {"src/app/TFPrincipal.cpp", "files/Plain.h", ""},
};

TEST_F(LayerCheckTest, RefusesAnIncludeThatRunsUp) {
  WriteFile(scratch_ / kQtHeader, "#pragma once\n#include <QString>\n");
  WriteFile(scratch_ / kPlainHeader, "#pragma once\n");
  for (const Planted& row : kPlanted) {
    SCOPED_TRACE(std::string(row.file) + " includes " + row.include);
    const std::string before = ReadFile(scratch_ / row.file);
    Append(row.file, std::string("#include \"") + row.include + "\"");
    const CheckRun run = Check();
    if (*row.refusal == '\0') {
      EXPECT_EQ(run.code, 0) << run.output;
    } else {
      EXPECT_EQ(run.code, 1);
      EXPECT_NE(run.output.find(std::string(row.file) + ":"), std::string::npos) << run.output;
      EXPECT_NE(run.output.find(std::string("includes \"") + row.include + "\", " + row.refusal),
                std::string::npos)
          << run.output;
    }
    WriteFile(scratch_ / row.file, before);
  }
}

}  // namespace
}  // namespace bv
