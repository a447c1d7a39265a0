#pragma once
// A label that behaves as a hyperlink: underlined in a link colour with a
// hand cursor, coloured while pressed (and while hovered with Effect98),
// opens its link when clicked and offers "&Copy" on a right click.
#include <QLabel>
#include <string>

#include "ui/kxgrafik.h"

class QMenu;

enum class TLabelType { hmHTTP, hmMAIL, hmFTP, hmNews, hmCUSTOM };

// The address a click opens for a link text: the scheme of the type in
// front unless the link already carries one; a mail link gets the subject
// URL-encoded ("?subject=" stays also when the subject is empty).
std::string LinkAddress(TLabelType type, const std::string& link, const std::string& subject);

// Opens an address of a label: web links try the desktop, then the
// browsers by name, and tell the user when none could be started; other
// links go to the desktop unexamined.
void OpenLabelLink(TLabelType type, const std::string& address);

class TWuUrlLabel : public QLabel {
  Q_OBJECT
 public:
  explicit TWuUrlLabel(QWidget* parent = nullptr);

  TLabelType LabelType() const { return labelType_; }
  void SetLabelType(TLabelType type);
  TColor URLColStd() const { return colStd_; }
  void SetURLColStd(TColor color);
  TColor URLColPre() const { return colPre_; }
  void SetURLColPre(TColor color);
  bool AllowDown() const { return allowDown_; }
  void SetAllowDown(bool on);
  bool Effect98() const { return effect98_; }
  void SetEffect98(bool on);
  const std::string& URL() const { return url_; }
  void SetURL(const std::string& url);
  const std::string& MailSubject() const { return mailSubject_; }
  void SetMailSubject(const std::string& subject);

  // URL when set, else the caption (at most 255 characters).
  std::string LinkText() const;
  void OpenLink(const std::string& address);
  void CopyLink();

  // The colour the text is drawn in now (TColor) and the "&Copy" menu.
  TColor CurrentColor() const { return current_; }
  QMenu* CopyMenu() const { return menu_; }

 signals:
  // The ordinary click, before the link is opened.
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void SetColor(TColor color);
  void SetUnderline(bool on);

  TLabelType labelType_ = TLabelType::hmHTTP;
  TColor colStd_ = 0xFF0000;  // blue
  TColor colPre_ = 0x0000FF;  // red
  TColor current_ = 0xFF0000;
  bool allowDown_ = false;
  bool effect98_ = false;
  bool leftDown_ = false;
  std::string url_;
  std::string mailSubject_;
  QMenu* menu_ = nullptr;
};
