// The data-folder rule's Windows branch: the user's folder in %APPDATA%, and folders
// named in any script through the wide environment.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "files/data_folder.h"
#include "files/path_text.h"
#include "files/platform_folders.h"
#include "support/paths.h"

namespace mrv {
namespace {

namespace fs = std::filesystem;

// Sets a variable for the scope, then puts back what it was.
class ScopedVariable {
 public:
  ScopedVariable(const wchar_t* name, const fs::path& value) : name_(name) {
    if (const wchar_t* old = _wgetenv(name)) old_ = old;
    _wputenv_s(name, value.c_str());
  }
  ~ScopedVariable() { _wputenv_s(name_, old_.c_str()); }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  const wchar_t* name_;
  std::wstring old_;
};

TEST(DataFolderWindowsTest, TheUserFolderIsInAppDataWhateverTheScriptOfItsName) {
  test::ScratchDir scratch("data-folder-windows");
  const fs::path roaming = scratch.path() / PathFromUtf8("Дмитрий 日本") / "AppData" / "Roaming";
  fs::create_directories(roaming);
  const ScopedVariable app_data(L"APPDATA", roaming);
  EXPECT_EQ(UserDataFolder(), roaming / "Morvane");

  // Installed: the program's folder holds no stats.ini, the shipped files are in
  // share\morvane beside it; the user's folder is chosen and seeded from there.
  const fs::path program = scratch.path() / "Morvane" / "bin";
  const fs::path share = scratch.path() / "Morvane" / "share" / "morvane";
  fs::create_directories(program);
  fs::create_directories(share);
  for (const char* file : kShippedFiles) fs::copy_file(test::ShippedDir() / file, share / file);
  const DataFolder folder = ChooseDataFolder({{}, {}, program, UserDataFolder()});
  EXPECT_EQ(folder.source, DataFolderSource::kUserFolder);
  ASSERT_EQ(folder.dir, roaming / "Morvane");
  std::string error;
  ASSERT_TRUE(PrepareDataFolder(folder, error)) << error;
  for (const char* file : kShippedFiles) {
    EXPECT_EQ(test::ReadFileBytes(folder.dir / file), test::ReadFileBytes(share / file)) << file;
  }

  // MORVANE_DIR names a folder in any script too.
  const fs::path named = scratch.path() / PathFromUtf8("Données 日本");
  const ScopedVariable variable(L"MORVANE_DIR", named);
  EXPECT_EQ(EnvironmentFolder(kDataFolderVariable), named);
  const DataFolder chosen = ChooseDataFolder(SystemDataFolderPlaces({}));
  EXPECT_EQ(chosen.source, DataFolderSource::kEnvironment);
  EXPECT_EQ(chosen.dir, named);
}

}  // namespace
}  // namespace mrv
