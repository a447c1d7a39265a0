#include "ui/WuUrlLabel.h"

#include <QClipboard>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>

#include <exception>

#include "platform/codec.h"
#include "platform/launcher.h"
#include "platform/messages.h"
#include "ui/kxgrafik.h"
#include "ui/weboop.h"

namespace {
// Browsers tried by name when the desktop cannot open a web link.
const char* const kFallbackBrowsers[] = {"x-www-browser", "firefox"};
}  // namespace

std::string LinkAddress(TLabelType type, const std::string& link, const std::string& subject) {
  auto withScheme = [&](const char* scheme) {
    return HasUrlScheme(link) ? link : scheme + link;
  };
  switch (type) {
    case TLabelType::hmHTTP: return withScheme("http://");
    case TLabelType::hmFTP: return withScheme("ftp://");
    case TLabelType::hmNews: return withScheme("news://");
    case TLabelType::hmMAIL: return TWebSS::MailLink(link, subject, "");
    case TLabelType::hmCUSTOM: break;
  }
  return link;
}

void OpenLabelLink(TLabelType type, const std::string& address) {
  TLauncher& launcher = Launcher();
  if (type != TLabelType::hmHTTP) {
    launcher.OpenUrl(address);
    return;
  }
  if (launcher.OpenUrl(address)) return;
  for (const char* browser : kFallbackBrowsers)
    if (launcher.RunProgram(browser, {address})) return;
  ToMessages.Hinweis("", "", "Sorry your browser could not be found", false);
}

TWuUrlLabel::TWuUrlLabel(QWidget* parent) : QLabel(parent) {
  // The hand cursor is the label's own; other controls keep theirs.
  setCursor(Qt::PointingHandCursor);
  SetColor(colStd_);
  SetUnderline(true);
  menu_ = new QMenu(this);
  menu_->addAction(QStringLiteral("&Copy"), this, &TWuUrlLabel::CopyLink);
}

void TWuUrlLabel::SetColor(TColor color) {
  current_ = color;
  QPalette p = palette();
  p.setColor(QPalette::WindowText, TColorToQColor(color));
  setPalette(p);
  update();
}

void TWuUrlLabel::SetUnderline(bool on) {
  QFont f = font();
  f.setUnderline(on);
  setFont(f);
  update();
}

void TWuUrlLabel::SetLabelType(TLabelType type) {
  if (type == labelType_) return;
  labelType_ = type;
  SetUnderline(!effect98_);
}

void TWuUrlLabel::SetURLColStd(TColor color) {
  if (color == colStd_) return;
  colStd_ = color;
  SetColor(color);
}

void TWuUrlLabel::SetURLColPre(TColor color) {
  if (color == colPre_) return;
  colPre_ = color;
  update();
}

void TWuUrlLabel::SetAllowDown(bool on) {
  if (on == allowDown_) return;
  allowDown_ = on;
  update();
}

void TWuUrlLabel::SetEffect98(bool on) {
  if (on == effect98_) return;
  effect98_ = on;
  if (on)
    SetUnderline(false);
  else if (labelType_ != TLabelType::hmCUSTOM)
    SetUnderline(true);
}

void TWuUrlLabel::SetURL(const std::string& url) { url_ = url.substr(0, 255); }

void TWuUrlLabel::SetMailSubject(const std::string& subject) { mailSubject_ = subject.substr(0, 255); }

std::string TWuUrlLabel::LinkText() const {
  if (!url_.empty()) return url_;
  return QStringToAnsi(text()).substr(0, 255);
}

void TWuUrlLabel::OpenLink(const std::string& address) { OpenLabelLink(labelType_, address); }

void TWuUrlLabel::CopyLink() {
  if (QClipboard* clipboard = QGuiApplication::clipboard())
    clipboard->setText(AnsiToQString(LinkText()));
}

void TWuUrlLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    leftDown_ = true;
    if (allowDown_) move(x(), y() + 1);
    SetColor(colPre_);
  } else if (event->button() == Qt::RightButton &&
             (labelType_ == TLabelType::hmHTTP || labelType_ == TLabelType::hmMAIL ||
              labelType_ == TLabelType::hmNews)) {
    menu_->popup(event->globalPosition().toPoint());
  }
  event->accept();
}

void TWuUrlLabel::mouseReleaseEvent(QMouseEvent* event) {
  const bool left = event->button() == Qt::LeftButton && leftDown_;
  if (!effect98_) SetColor(colStd_);
  if (left) {
    leftDown_ = false;
    if (allowDown_) move(x(), y() - 1);
    if (rect().contains(event->position().toPoint())) {
      emit clicked();
      try {
        OpenLink(LinkAddress(labelType_, LinkText(), mailSubject_));
      } catch (const std::exception& e) {
        ToMessages.Fehler(e.what());
      }
    }
  }
  event->accept();
}

void TWuUrlLabel::enterEvent(QEnterEvent* event) {
  if (effect98_) {
    SetColor(colPre_);
    if (labelType_ != TLabelType::hmCUSTOM) SetUnderline(true);
  }
  QLabel::enterEvent(event);
}

void TWuUrlLabel::leaveEvent(QEvent* event) {
  if (effect98_) {
    SetColor(colStd_);
    if (labelType_ != TLabelType::hmCUSTOM) SetUnderline(false);
  }
  QLabel::leaveEvent(event);
}
