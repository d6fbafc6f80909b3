#pragma once
// The questions the browser extension makes the program ask the user. The program shows
// small dialogs (QtBrowserQuestions); tests install scripted answers.

#include <QString>
#include <optional>

class QWidget;

namespace bv {

class BrowserQuestions {
 public:
  virtual ~BrowserQuestions() = default;
  // Allow a new connection: the name the user gives it, or nothing (Denegar, the default).
  [[nodiscard]] virtual std::optional<QString> AllowConnection(const QString& text,
                                                               const QString& name) = 0;
  struct SiteAnswer {
    bool allow = false;
    bool remember = false;
  };
  // Allow an account for a site, with "recordar".
  [[nodiscard]] virtual SiteAnswer AllowSite(const QString& text) = 0;
  // Keep a login the browser offers; true for Guardar.
  [[nodiscard]] virtual bool SaveLogin(const QString& text) = 0;
};

class QtBrowserQuestions final : public BrowserQuestions {
 public:
  explicit QtBrowserQuestions(QWidget* window) : window_(window) {}
  std::optional<QString> AllowConnection(const QString& text, const QString& name) override;
  SiteAnswer AllowSite(const QString& text) override;
  bool SaveLogin(const QString& text) override;

 private:
  QWidget* window_;
};

}  // namespace bv
