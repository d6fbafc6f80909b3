#include "support/ProfileFixtures.h"

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <utility>

#include "crypto/FieldCipher.h"
#include "profile/MasterPassword.h"
#include "profile/ProfileWriter.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>

#include <cstring>

namespace bv::test {

bool MakeSpecialFile(const std::filesystem::path& path, SpecialFile kind) {
  switch (kind) {
    case SpecialFile::Fifo: return ::mkfifo(path.c_str(), 0600) == 0;
    case SpecialFile::Device: return ::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    case SpecialFile::Socket: {
      const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
      sockaddr_un address{};
      address.sun_family = AF_UNIX;
      if (fd < 0 || path.native().size() >= sizeof address.sun_path) return false;
      std::strcpy(address.sun_path, path.c_str());
      const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
      ::close(fd);  // the socket file stays
      return bound;
    }
  }
  return false;
}

std::vector<SpecialFile> SpecialFileKinds() {
  std::vector<SpecialFile> kinds = {SpecialFile::Fifo, SpecialFile::Socket};
  if (::geteuid() == 0) kinds.push_back(SpecialFile::Device);
  return kinds;
}

namespace {

constexpr uid_t kNobody = 65534;

void AppendShape(const ProfileTree::Children& nodes, std::string& out) {
  for (std::size_t k = 0; k < nodes.size(); ++k) {
    if (k > 0) out += ' ';
    out += nodes[k]->data.Name;
    if (!nodes[k]->children.empty()) {
      out += '(';
      AppendShape(nodes[k]->children, out);
      out += ')';
    }
  }
}

}  // namespace

Bytes ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

std::string TextAt(const Bytes& bytes, std::size_t offset) {
  return std::string(bytes.begin() + static_cast<std::ptrdiff_t>(offset) + 1,
                     bytes.begin() + static_cast<std::ptrdiff_t>(offset) + 1 + bytes[offset]);
}

TNodeData NamedNode(NodeKind kind, const std::string& name) {
  TNodeData data = TNodeData::Create(kind, 3);
  data.Name = name;
  return data;
}

TNodeData SampleAccount(const std::string& name) {
  TNodeData data = TNodeData::Create(NodeKind::Account, 7);
  data.Name = name;
  data.UserName = "usuario.se\xF1or";
  data.Password = "p\xE1ss \x80 \x81\x8D\x8F\x90\x9D!";
  data.Question =
      "\xBF"
      "Ciudad natal?";
  data.Answer = "M\xE1laga";
  data.Mail = "se\xF1or@example.com";
  data.Url = "https://example.com/login?x=1&y=\xE9";
  data.AccountType = "Correo electr\xF3nico";
  data.Description =
      "Cuenta principal \x93"
      "citada\x94";
  data.Notes = "Primera l\xEDnea\r\nSegunda l\xEDnea\r\n\ttabulada";
  return data;
}

void FillSampleTree(ProfileTree& tree) {
  TNodeData correo = TNodeData::Create(NodeKind::Category, 3);
  correo.Name = "Correo";
  correo.Description = "Todas las cuentas de correo";
  TreeNode* mail = tree.Append(nullptr, correo);

  TNodeData trabajo = TNodeData::Create(NodeKind::Group, 12);
  trabajo.Name = "Trabajo";
  TreeNode* work = tree.Append(mail, trabajo);
  TNodeData oficina = TNodeData::Create(NodeKind::Group, 25);
  oficina.Name = "Oficina";
  oficina.Description = "Grupo dentro de un grupo";
  TreeNode* office = tree.Append(work, oficina);
  TNodeData officeAccount = SampleAccount("cuenta de oficina");
  officeAccount.ImageIndex = 0;
  officeAccount.Notes.clear();
  tree.Append(office, officeAccount);
  tree.Append(work, SampleAccount("Cuenta \xF1"));
  TNodeData personal = TNodeData::Create(NodeKind::Group, 1);
  personal.Name = "Personal";
  tree.Append(mail, personal);

  TNodeData juegos = TNodeData::Create(NodeKind::Category, 20);
  juegos.Name = "Juegos";
  TreeNode* games = tree.Append(nullptr, juegos);
  TNodeData steam = TNodeData::Create(NodeKind::Account, 19);
  steam.Name = "Steam";
  steam.UserName = "gamer";
  steam.Password = "x";
  tree.Append(games, steam);
}

std::string Shape(const ProfileTree& tree) {
  std::string out;
  AppendShape(tree.ChildrenOf(nullptr), out);
  return out;
}

TProfileHeader SampleHeader(const std::string& password) {
  TProfileHeader header;
  header.Owner = "Jos\xE9 P\xE9rez";
  header.Title = "Perfil de prueba";
  header.Verifier = EncipherField(password, password);
  return header;
}

HeaderKind CoreSession::ReadHeader(const std::filesystem::path& path) {
  HeaderRead read = ReadProfileHeader(path);
  header = read.header;
  return read.kind;
}

bool CoreSession::CheckPassword(const std::filesystem::path& path, std::string_view password) {
  ReadHeader(path);
  return PasswordMatches(header, password);
}

bool CoreSession::Load(const std::filesystem::path& path, std::string_view password) {
  LoadedProfile loaded = LoadProfile(ReadProfileFile(path), password);
  header = loaded.header;
  if (loaded.outcome == LoadedProfile::Outcome::WrongPassword) {
    session.ProfileOpen = false;
    return false;
  }
  std::swap(tree, loaded.tree);
  if (loaded.failure) std::rethrow_exception(loaded.failure);
  session.ProfileOpen = true;
  session.Modified = false;
  return true;
}

void CoreSession::Save(const std::filesystem::path& path, std::string_view password) {
  header.Magic = TProfileHeader::kMagic;
  WriteProfile(path, header, tree, password, "msg106");
  session.Modified = false;
}

namespace {

std::string RunForked(const std::function<std::string()>& body, bool dropPrivilege) {
  int channel[2];
  if (::pipe(channel) != 0) return "pipe failed";
  const pid_t child = ::fork();
  if (child < 0) return "fork failed";
  if (child == 0) {
    ::close(channel[0]);
    std::string result;
    if (dropPrivilege && ::geteuid() == 0 &&
        (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
      result = "could not drop privileges";
    else
      try {
        result = body();
      } catch (const std::exception& error) {
        result = std::string("unexpected exception: ") + error.what();
      }
    (void)!::write(channel[1], result.data(), result.size());
    std::_Exit(0);
  }
  ::close(channel[1]);
  std::string result;
  char buffer[512];
  for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;)
    result.append(buffer, static_cast<std::size_t>(got));
  ::close(channel[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return "child ended abnormally: " + result;
  return result;
}

}  // namespace

std::string RunWithoutPrivilege(const std::function<std::string()>& body) {
  return RunForked(body, true);
}

std::string RunInChild(const std::function<std::string()>& body) { return RunForked(body, false); }

void GiveToUnprivileged(const std::filesystem::path& path) {
  if (::geteuid() == 0) (void)!::chown(path.c_str(), kNobody, kNobody);
}

}  // namespace bv::test
