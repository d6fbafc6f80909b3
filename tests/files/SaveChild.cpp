// A process for the kill tests: saves a profile of many accounts once, the way the
// command-line tool does, so that the test can kill it at any moment of the save.
//
//   bv_save_child PROFILE ACCOUNTS VARIANT [named]
//
// VARIANT changes every name, so that two variants give two different files; "named" makes
// the save use a named temporary file even where the file system offers an unnamed one.
#include <cstdlib>
#include <iostream>
#include <string>

#include "files/FileReplacement.h"
#include "files/SaveSignals.h"
#include "profile/ProfileWriter.h"

int main(int argc, char** argv) {
  if (argc < 4) {
    std::cerr << "usage: bv_save_child PROFILE ACCOUNTS VARIANT [named]\n";
    return 2;
  }
  const std::filesystem::path profile = argv[1];
  const int accounts = std::atoi(argv[2]);
  const std::string variant = argv[3];
  if (argc > 4 && std::string(argv[4]) == "named") bv::AllowUnnamedTemporaryFiles(false);
  bv::InstallSaveSignalCleanup();

  bv::TProfileHeader header;
  header.Owner = "Propietario";
  header.Title = "Prueba " + variant;
  bv::ProfileTree tree;
  bv::TreeNode* category = nullptr;
  for (int k = 0; k < accounts; ++k) {
    if (k % 100 == 0) {
      bv::TNodeData data = bv::TNodeData::Create(bv::NodeKind::Category, 3);
      data.Name = "Categor\355a " + std::to_string(k / 100) + " " + variant;
      category = tree.Append(nullptr, data);
    }
    bv::TNodeData data = bv::TNodeData::Create(bv::NodeKind::Account, 7);
    data.Name = "Cuenta " + std::to_string(k) + " " + variant;
    data.UserName = "usuario" + std::to_string(k);
    data.Password = "cl@ve-" + std::to_string(k * 7919) + variant;
    data.Mail = "u" + std::to_string(k) + "@example.com";
    data.Url = "https://example.com/" + std::to_string(k);
    data.Notes = "nota " + variant;
    tree.Append(category, data);
  }
  bv::WriteProfile(profile, header, tree, "clave", "Perfil de Brindlevault 3.5");
  return 0;
}
