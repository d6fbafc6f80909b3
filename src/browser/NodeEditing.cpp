#include "browser/NodeEditing.h"

#include <array>

#include "config/MessageIds.h"

namespace bv {
namespace {

constexpr std::array<const char*, 26> kPictureNames = {
    "Correo general",
    "Outlook",
    "Hotmail",
    "Acceso a web",
    "Conexi\xF3n a Internet",
    "Conexi\xF3n a Red",
    "Escritorio",
    "Escritorio remoto",
    "Acceso a FTP",
    "Servicios",
    "Programas",
    "Configuraciones",
    "Noticias",
    "Chats",
    "Messenger",
    "Seguridad",
    "Grupo de usuarios",
    "Sesi\xF3n de Inicio",
    "Bases de datos",
    "Hojas de c\xE1lculo",
    "Archivos comprimidos",
    "Documentos",
    "Accesibilidad",
    "General 1",
    "General 2",
    "General 3",
};

constexpr std::array<const char*, 9> kAccountTypes = {
    "Acceso a e-mail",
    "Usuario de sitio web",
    "Acceso a FTP",
    "Acceso a Red Privada",
    "Sesi\xF3n de IRC Messenger",
    "Sesi\xF3n de MSN Messenger",
    "Inicio de Sesi\xF3n en Windows",
    "Acceso a programa",
    "Otros...",
};

// Stores value in the field cut to the field's maximum.
void Store(TNodeData& node, std::string TNodeData::*member, std::string_view value) {
  for (const TextFieldInfo& field : kTextFields)
    if (field.member == member) return StoreText(node.*member, value, field.maxLength);
}

bool NameLongEnough(std::string_view name) { return name.size() >= kMinNameLength; }

// The account fields in the order of the dialog's boxes.
struct AccountField {
  std::string AccountValues::*box;
  std::string TNodeData::*field;
};
constexpr AccountField kAccountFields[] = {
    {&AccountValues::Name, &TNodeData::Name},
    {&AccountValues::UserName, &TNodeData::UserName},
    {&AccountValues::Password, &TNodeData::Password},
    {&AccountValues::Url, &TNodeData::Url},
    {&AccountValues::Question, &TNodeData::Question},
    {&AccountValues::Answer, &TNodeData::Answer},
    {&AccountValues::Mail, &TNodeData::Mail},
    {&AccountValues::Description, &TNodeData::Description},
    {&AccountValues::Notes, &TNodeData::Notes},
    {&AccountValues::AccountType, &TNodeData::AccountType},
};

}  // namespace

std::span<const char* const> NodePictureNames() { return kPictureNames; }

std::span<const char* const> AccountTypeTexts() { return kAccountTypes; }

std::optional<int> NewGroupRefusal(NodeKind kind, std::string_view name) {
  if (NameLongEnough(name)) return std::nullopt;
  return kind == NodeKind::Category ? msg::kCategoryNameTooShort : msg::kGroupNameTooShort;
}

std::optional<AccountRefusal> CheckAccount(const AccountValues& values) {
  if (!NameLongEnough(values.Name))
    return AccountRefusal{msg::kAccountNameTooShort, AccountBox::Name};
  const int pictures = static_cast<int>(kPictureNames.size());
  if (values.ImageIndex < 0 || values.ImageIndex >= pictures)
    return AccountRefusal{msg::kNoPicture, AccountBox::Picture};
  return std::nullopt;
}

TNodeData MakeCategory(const GroupValues& values) {
  TNodeData node = TNodeData::Create(NodeKind::Category, values.ImageIndex);
  ApplyGroupValues(node, values);
  return node;
}

TNodeData MakeGroup(const GroupValues& values) {
  TNodeData node = TNodeData::Create(NodeKind::Group, values.ImageIndex);
  ApplyGroupValues(node, values);
  return node;
}

void ApplyGroupValues(TNodeData& node, const GroupValues& values) {
  Store(node, &TNodeData::Name, values.Name);
  Store(node, &TNodeData::Description, values.Description);
  node.ImageIndex = values.ImageIndex;
}

GroupValues GroupValuesOf(const TNodeData& node) {
  return {node.Name, node.Description, node.ImageIndex};
}

TNodeData MakeAccount(const AccountValues& values) {
  TNodeData node = TNodeData::Create(NodeKind::Account, values.ImageIndex);
  ApplyAccountValues(node, values);
  return node;
}

void ApplyAccountValues(TNodeData& node, const AccountValues& values) {
  for (const AccountField& f : kAccountFields) Store(node, f.field, values.*f.box);
  node.ImageIndex = values.ImageIndex;
  node.IsCategory = 0;
  node.IsAccount = 1;
}

AccountValues AccountValuesOf(const TNodeData& node) {
  AccountValues values;
  for (const AccountField& f : kAccountFields) values.*f.box = node.*f.field;
  values.ImageIndex = node.ImageIndex;
  return values;
}

std::string NewAccountCaption(std::string_view groupName, const MessageFn& message) {
  return message(msg::kNewAccountCaption) + " " + std::string(groupName);
}

std::string EditAccountCaption(std::string_view accountName, std::string_view groupName,
                               const MessageFn& message) {
  return message(msg::kEditAccountCaption) + std::string(accountName) +
         message(msg::kEditAccountCaptionIn) + std::string(groupName) + "\"";
}

std::string DeleteAccountQuestion(const MessageFn& message) {
  return message(msg::kDeleteAccountQuestion) + "\n" + message(msg::kDeleteAccountConfirm);
}

std::string DeleteGroupQuestion(const MessageFn& message) {
  return message(msg::kDeleteGroupHolds) + " " + message(msg::kDeleteGroupAlso) + " " +
         message(msg::kDeleteGroupEverything) + "\n" + message(msg::kDeleteGroupConfirm);
}

}  // namespace bv
