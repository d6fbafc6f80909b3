#include "export/KdbxXml.h"

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include <botan/base64.h>
#include <botan/hash.h>
#include <botan/stream_cipher.h>

#include "config/Cp1252.h"
#include "export/ExportText.h"
#include "export/NodePictures.h"
#include "tools/OneTimeCode.h"
#include "crypto/WipedText.h"

namespace bv {
namespace {

constexpr std::int64_t kUnixEpochSinceYear1 = 62135596800;
constexpr std::string_view kZeroUuid = "AAAAAAAAAAAAAAAAAAAAAA==";
constexpr std::string_view kRootGroupName = "Root";
constexpr int kEntryIcon = 0;   // standard icon: key
constexpr int kGroupIcon = 48;  // standard icon: folder

bool IsXmlControl(unsigned char byte) {
  return byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r';
}

bool NeedsProtection(std::string_view cp1252) {
  for (char c : cp1252)
    if (IsXmlControl(static_cast<unsigned char>(c))) return true;
  return false;
}

// The escaped UTF-8 form of each Windows-1252 byte in element text (CR is a line end and
// handled apart).
class TextTable {
 public:
  TextTable() {
    for (int b = 0; b < 256; ++b) {
      std::string& s = forms_[b];
      const auto byte = static_cast<unsigned char>(b);
      if (byte == '&')
        s = "&amp;";
      else if (byte == '<')
        s = "&lt;";
      else if (byte == '>')
        s = "&gt;";
      else if (IsXmlControl(byte))
        AppendUtf8(s, 0x2400 + byte);
      else
        AppendUtf8(s, Cp1252ToUnicode(byte));
    }
  }
  const std::string& operator[](unsigned char byte) const { return forms_[byte]; }

 private:
  std::array<std::string, 256> forms_;
};

class UuidSource {
 public:
  std::string Next() {
    if (used_ == kBatch) {
      FillRandom(pool_);
      used_ = 0;
    }
    std::uint8_t* u = pool_.data() + 16 * used_++;
    u[6] = static_cast<std::uint8_t>((u[6] & 0x0F) | 0x40);  // version 4, random
    u[8] = static_cast<std::uint8_t>((u[8] & 0x3F) | 0x80);
    return Botan::base64_encode(u, 16);
  }

 private:
  static constexpr std::size_t kBatch = 256;
  std::array<std::uint8_t, 16 * kBatch> pool_{};
  std::size_t used_ = kBatch;
};

class XmlWriter {
 public:
  XmlWriter(SecureBytes& out, InnerStream& stream, std::int64_t unixSecondsNow)
      : out_(out), stream_(stream), time_(KdbxTimeText(unixSecondsNow)) {
    times_ = "<Times><CreationTime>" + time_ + "</CreationTime><LastModificationTime>" + time_ +
             "</LastModificationTime><LastAccessTime>" + time_ + "</LastAccessTime><ExpiryTime>" +
             time_ +
             "</ExpiryTime><Expires>False</Expires><UsageCount>0</UsageCount>"
             "<LocationChanged>" +
             time_ + "</LocationChanged></Times>";
  }

  void Document(const TProfileHeader& header, const ProfileTree& tree) {
    Raw("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<KeePassFile>");
    Meta(header, tree);
    Raw("<Root>");
    Tree(tree);
    Raw("<DeletedObjects/></Root></KeePassFile>\n");
  }

 private:
  void Raw(std::string_view text) {
    const std::size_t used = out_.size();
    if (used + text.size() > out_.capacity()) out_.reserve(2 * (used + text.size()));
    out_.resize(used + text.size());
    std::memcpy(out_.data() + used, text.data(), text.size());
  }

  void Text(std::string_view cp1252) {
    for (std::size_t i = 0; i < cp1252.size(); ++i) {
      const auto byte = static_cast<unsigned char>(cp1252[i]);
      if (byte == '\r') {
        if (i + 1 < cp1252.size() && cp1252[i + 1] == '\n') ++i;
        out_.push_back('\n');
      } else if (byte < 0x80 && byte != '&' && byte != '<' && byte != '>' && !IsXmlControl(byte)) {
        out_.push_back(byte);
      } else {
        Raw(table_[byte]);
      }
    }
  }

  void TextElement(std::string_view name, std::string_view cp1252) {
    Raw("<"), Raw(name), Raw(">");
    Text(cp1252);
    Raw("</"), Raw(name), Raw(">");
  }

  void RawElement(std::string_view name, std::string_view value) {
    Raw("<"), Raw(name), Raw(">"), Raw(value), Raw("</"), Raw(name), Raw(">");
  }

  void Meta(const TProfileHeader& header, const ProfileTree& tree) {
    Raw("<Meta><Generator>Brindlevault</Generator>");
    TextElement("DatabaseName", header.Owner);
    RawElement("DatabaseNameChanged", time_);
    TextElement("DatabaseDescription", header.Title);
    RawElement("DatabaseDescriptionChanged", time_);
    Raw("<DefaultUserName/>");
    RawElement("DefaultUserNameChanged", time_);
    Raw("<MaintenanceHistoryDays>365</MaintenanceHistoryDays><Color/>");
    RawElement("MasterKeyChanged", time_);
    Raw("<MasterKeyChangeRec>-1</MasterKeyChangeRec><MasterKeyChangeForce>-1</MasterKeyChangeForce>"
        "<MemoryProtection><ProtectTitle>False</ProtectTitle><ProtectUserName>False</"
        "ProtectUserName>"
        "<ProtectPassword>True</ProtectPassword><ProtectURL>False</ProtectURL>"
        "<ProtectNotes>False</ProtectNotes></MemoryProtection>");
    CustomIcons(tree);
    Raw("<RecycleBinEnabled>True</RecycleBinEnabled>");
    RawElement("RecycleBinUUID", kZeroUuid);
    RawElement("RecycleBinChanged", time_);
    RawElement("EntryTemplatesGroup", kZeroUuid);
    RawElement("EntryTemplatesGroupChanged", time_);
    RawElement("LastSelectedGroup", kZeroUuid);
    RawElement("LastTopVisibleGroup", kZeroUuid);
    Raw("<HistoryMaxItems>10</HistoryMaxItems><HistoryMaxSize>6291456</HistoryMaxSize>"
        "<CustomData/></Meta>");
  }

  // Each picture in use once, in picture order.
  void CustomIcons(const ProfileTree& tree) {
    tree.ForEachPreOrder([&](const TreeNode& node, int) {
      const std::int32_t index = node.data.ImageIndex;
      if (!NodePicturePng(index).empty() && iconUuids_[index].empty())
        iconUuids_[index] = uuids_.Next();
    });
    Raw("<CustomIcons>");
    for (int index = 0; index < kNodePictureCount; ++index) {
      if (iconUuids_[index].empty()) continue;
      const auto png = NodePicturePng(index);
      Raw("<Icon>");
      RawElement("UUID", iconUuids_[index]);
      RawElement("Data", Botan::base64_encode(png.data(), png.size()));
      Raw("</Icon>");
    }
    Raw("</CustomIcons>");
  }

  void IconElements(int standardIcon, std::int32_t picture) {
    RawElement("IconID", std::to_string(standardIcon));
    if (!NodePicturePng(picture).empty()) RawElement("CustomIconUUID", iconUuids_[picture]);
  }

  void OpenGroup(std::string_view name, std::string_view notes, std::int32_t picture) {
    Raw("<Group>");
    RawElement("UUID", uuids_.Next());
    TextElement("Name", name);
    TextElement("Notes", notes);
    IconElements(kGroupIcon, picture);
    Raw(times_);
    Raw("<IsExpanded>True</IsExpanded><DefaultAutoTypeSequence/><EnableAutoType>null</"
        "EnableAutoType>"
        "<EnableSearching>null</EnableSearching>");
    RawElement("LastTopVisibleEntry", kZeroUuid);
  }

  void String(std::string_view key, std::string_view cp1252, bool protect) {
    Raw("<String><Key>"), Raw(key), Raw("</Key>");
    if (protect || NeedsProtection(cp1252)) {
      SecureBytes value;
      value.reserve(cp1252.size() * 3);
      ForEachExportCharacter(cp1252, [&](char32_t c) { AppendUtf8(value, c); });
      stream_.Xor(value);
      Raw("<Value Protected=\"True\">"), Raw(Botan::base64_encode(value)), Raw("</Value>");
    } else {
      TextElement("Value", cp1252);
    }
    Raw("</String>");
  }

  void Entry(const TNodeData& data) {
    Raw("<Entry>");
    RawElement("UUID", uuids_.Next());
    IconElements(kEntryIcon, data.ImageIndex);
    Raw(times_);
    String("Title", data.Name, false);
    String("UserName", data.UserName, false);
    String("Password", data.Password, true);
    String("URL", data.Url, false);
    // A seed that gives codes becomes the otp field; the notes then leave its line out.
    const std::optional<TotpSeed> seed = SeedOfNotes(data.Notes);
    String("Notes", seed ? NotesWithoutSeed(data.Notes) : std::string_view(data.Notes), false);
    // What KDBX has no standard field for; an empty one is left out.
    const struct {
      const char* key;
      const std::string& value;
      bool protect;
    } extras[] = {{kKdbxDescriptionField, data.Description, false},
                  {kKdbxQuestionField, data.Question, false},
                  {kKdbxAnswerField, data.Answer, true},
                  {kKdbxMailField, data.Mail, false},
                  {kKdbxAccountTypeField, data.AccountType, false}};
    for (const auto& extra : extras)
      if (!extra.value.empty()) String(extra.key, extra.value, extra.protect);
    if (seed) {
      std::string address = SeedAddress(*seed, Cp1252ToUtf8(data.Name));
      String(kKdbxOtpField, address, true);
      WipeString(address);
    }
    // Colours, tags, auto-type and history are left to the readers' defaults (none, enabled).
    Raw("</Entry>");
  }

  // Depth first with a stack of its own, so that no depth of tree can exhaust the call stack.
  // An account that holds nodes is its entry followed by a group of the same name.
  void Tree(const ProfileTree& tree) {
    struct Frame {
      const ProfileTree::Children* children;
      std::size_t next;
    };
    std::vector<Frame> open{{&tree.ChildrenOf(nullptr), 0}};
    OpenGroup(kRootGroupName, {}, -1);
    while (!open.empty()) {
      Frame& frame = open.back();
      if (frame.next == frame.children->size()) {
        Raw("</Group>");
        open.pop_back();
        continue;
      }
      const TreeNode& node = *(*frame.children)[frame.next++];
      if (node.data.IsAccount) {
        Entry(node.data);
        if (node.children.empty()) continue;
        OpenGroup(node.data.Name, {}, node.data.ImageIndex);
      } else {
        OpenGroup(node.data.Name, node.data.Description, node.data.ImageIndex);
      }
      open.push_back({&node.children, 0});
    }
  }

  SecureBytes& out_;
  InnerStream& stream_;
  const std::string time_;
  std::string times_;
  const TextTable table_;
  UuidSource uuids_;
  std::array<std::string, kNodePictureCount> iconUuids_;
};

}  // namespace

InnerStream::InnerStream(std::span<const std::uint8_t, 64> innerKey)
    : cipher_(Botan::StreamCipher::create_or_throw("ChaCha(20)")) {
  const SecureBytes hash =
      Botan::HashFunction::create_or_throw("SHA-512")->process(innerKey.data(), innerKey.size());
  cipher_->set_key(hash.data(), 32);
  cipher_->set_iv(hash.data() + 32, 12);
}

InnerStream::~InnerStream() = default;

void InnerStream::Xor(std::span<std::uint8_t> bytes) {
  cipher_->cipher1(bytes.data(), bytes.size());
}

std::string KdbxTimeText(std::int64_t unixSeconds) {
  const auto value = static_cast<std::uint64_t>(unixSeconds + kUnixEpochSinceYear1);
  std::uint8_t bytes[8];
  for (int i = 0; i < 8; ++i) bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
  return Botan::base64_encode(bytes, sizeof bytes);
}

void AppendKdbxXml(SecureBytes& out, const TProfileHeader& header, const ProfileTree& tree,
                   InnerStream& stream, std::int64_t unixSecondsNow) {
  out.reserve(out.size() + 65536 + tree.Count() * 1400);
  XmlWriter(out, stream, unixSecondsNow).Document(header, tree);
}

}  // namespace bv
