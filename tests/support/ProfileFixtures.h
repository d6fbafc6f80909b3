#pragma once
// Helpers shared by the profile and command-line tests: file bytes,
// a sample tree with every kind of node and field, a session loaded and saved by the core.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "profile/ProfileReader.h"
#include "profile/ProfileTree.h"
#include "profile/SessionState.h"
#include "support/ScratchFolder.h"

namespace bv::test {

using Bytes = std::vector<std::uint8_t>;
Bytes ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const Bytes& bytes);
std::string TextAt(const Bytes& bytes, std::size_t offset);  // a length-prefixed text

// Every kind, every field, Windows-1252 bytes above 0x7F, a multi-line note, a group inside
// a group and a second category:
//   Correo(Trabajo(Oficina(cuenta de oficina) Cuenta ñ) Personal) Juegos(Steam)
void FillSampleTree(ProfileTree& tree);
TNodeData SampleAccount(const std::string& name);
// A node of kind with its name alone, picture 3.
TNodeData NamedNode(NodeKind kind, const std::string& name);
std::string Shape(const ProfileTree& tree);  // "a(b c(d)) e": names and nesting

TProfileHeader SampleHeader(const std::string& password);

// A session buffer and tree loaded and saved through the core's functions, the way the
// window's session uses them (without its signals).
struct CoreSession {
  SessionState session;
  TProfileHeader& header = session.Header;
  ProfileTree tree;

  // The header buffer takes the file's header.
  HeaderKind ReadHeader(const std::filesystem::path& path);
  [[nodiscard]] bool CheckPassword(const std::filesystem::path& path, std::string_view password);
  // False for a wrong password (tree untouched); a failure part-way leaves the nodes read so
  // far in tree, then throws.
  [[nodiscard]] bool Load(const std::filesystem::path& path, std::string_view password);
  // Magic := "Brindlevault_3", then the file is written with "msg106" in every record.
  void Save(const std::filesystem::path& path, std::string_view password);
};

// A FIFO, a bound UNIX socket or (as root only) a character device like /dev/null, made at
// path in a scratch folder. False when it cannot be made (a device without privilege).
enum class SpecialFile {
  Fifo,
  Socket,
  Device
};
bool MakeSpecialFile(const std::filesystem::path& path, SpecialFile kind);
std::vector<SpecialFile> SpecialFileKinds();  // the three, without Device unless root

// Runs body in a child process that cannot override file permissions (as root it drops to
// the user "nobody"), so that permission tests really run under root too. Returns what body
// returned (empty for success) or a description of how the child ended.
std::string RunWithoutPrivilege(const std::function<std::string()>& body);
// Runs body in a child process as the same user (for limits that must not touch the tests).
std::string RunInChild(const std::function<std::string()>& body);
// Lets the unprivileged child of RunWithoutPrivilege own path (when running as root).
void GiveToUnprivileged(const std::filesystem::path& path);

}  // namespace bv::test
