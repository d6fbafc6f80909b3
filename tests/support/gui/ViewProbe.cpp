#include "support/gui/ViewProbe.h"

#include <gtest/gtest.h>

#include <QTextCursor>
#include <QTextDocument>
#include <map>

namespace bv::test {
namespace {

QTextCursor Middle(const DetailView& view, const QString& text) {
  const QTextCursor found = view.document()->find(text);
  EXPECT_FALSE(found.isNull()) << "not on the page: " << text.toStdString();
  QTextCursor middle(view.document());
  middle.setPosition(found.isNull() ? 0 : found.selectionStart() + text.size() / 2);
  return middle;
}

}  // namespace

MessageFn SpanishMessages() {
  static const std::map<int, std::string> texts = {{8, "Cuenta"},
                                                   {11, "Grupo"},
                                                   {25, "Editar los datos"},
                                                   {32, "Guardar la cuenta como texto"},
                                                   {33, "Guardar la cuenta como HTML"},
                                                   {60, "Acciones"},
                                                   {61, "Acciones del grupo"},
                                                   {62, "Editar la cuenta"},
                                                   {63, "Editar el grupo"},
                                                   {64, "Exportar como texto"},
                                                   {65, "Exportar como HTML"},
                                                   {66, "Perfil de"},
                                                   {67, "El perfil no tiene cuentas"},
                                                   {69, "Bienvenido"},
                                                   {70, "Abra un perfil para empezar"},
                                                   {71, "Datos de acceso"},
                                                   {76, "Descripci\xF3n"},
                                                   {78, "Notas"},
                                                   {80, "Usuario"},
                                                   {82, "Contrase\361a"},
                                                   {90, "Direcci\xF3n web"},
                                                   {96, "Resumen"},
                                                   {97, "Archivo:"},
                                                   {98, "Tama\xF1o:"},
                                                   {99, "Cuentas:"},
                                                   {100, "Categor\355as y grupos:"},
                                                   {101, "Modificado:"},
                                                   {102, "Formato:"},
                                                   {103, "T\xEDtulo"},
                                                   {105, "(oculta)"},
                                                   {107, "Guarde copias de sus perfiles"},
                                                   {400,
                                                    "C\xF3"
                                                    "digo de dos pasos"},
                                                   {401, "%1 (quedan %2 s)"}};
  return [](int n) {
    const auto it = texts.find(n);
    return it == texts.end() ? std::string() : it->second;
  };
}

QPoint PointInside(const DetailView& view, const QString& text) {
  return view.cursorRect(Middle(view, text)).center() + QPoint(1, 0);
}

QTextCharFormat FormatOf(const DetailView& view, const QString& text) {
  QTextCursor c = Middle(view, text);
  c.movePosition(QTextCursor::NextCharacter);  // the format of the character before
  return c.charFormat();
}

}  // namespace bv::test
