#include "support/WindowEvents.h"

#include <gtest/gtest.h>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QEvent>
#include <QEventLoop>
#include <QHash>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <map>

#include "platform/codec.h"

namespace testwindows {
namespace {

// Sees every event of the application; takes note of showings and tells
// the listeners of the changes a waiting test may need.
class Watcher : public QObject {
 public:
  static Watcher& Instance() {
    // Installed on first use and kept to the end of the process: the
    // application object goes before any static would.
    static Watcher* watcher = [] {
      auto* w = new Watcher;
      qApp->installEventFilter(w);
      return w;
    }();
    return *watcher;
  }

  uint64_t ShowingOf(const QWidget& w) const { return showings_.value(&w, 0); }
  uint64_t Latest() const { return latest_; }

  int Listen(std::function<void()> f) {
    listeners_[++lastId_] = std::move(f);
    return lastId_;
  }
  void Unlisten(int id) { listeners_.erase(id); }

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (!watched->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(watched);
    switch (e->type()) {
      case QEvent::Show:
        if (!w->isWindow()) return false;
        showings_[w] = ++latest_;
        break;
      case QEvent::Hide:
        if (!w->isWindow()) return false;
        break;
      case QEvent::WindowActivate:
      case QEvent::WindowDeactivate:
      case QEvent::WindowBlocked:
      case QEvent::WindowUnblocked:
      case QEvent::FocusIn:
        break;
      default:
        return false;
    }
    Tell();
    return false;
  }

 private:
  void Tell() {
    // A listener may listen or unlisten while it is told.
    const std::map<int, std::function<void()>> now = listeners_;
    for (const auto& [id, f] : now)
      if (listeners_.count(id) != 0) f();
  }

  QHash<const QWidget*, uint64_t> showings_;
  uint64_t latest_ = 0;
  std::map<int, std::function<void()>> listeners_;
  int lastId_ = 0;
};

}  // namespace

uint64_t ShowingOf(const QWidget& w) { return Watcher::Instance().ShowingOf(w); }
uint64_t LatestShowing() { return Watcher::Instance().Latest(); }
int Listen(std::function<void()> f) { return Watcher::Instance().Listen(std::move(f)); }
void Unlisten(int id) { Watcher::Instance().Unlisten(id); }

int Drain() {
  Watcher::Instance();
  // Each pass hands over everything the window system has queued, in the
  // order it was queued: the latest activation asked for wins, as it does
  // on a desktop.
  const QDeadlineTimer guard(kHangGuardMs);
  int turns = 0;
  while (!guard.hasExpired() && QCoreApplication::eventDispatcher()->processEvents(QEventLoop::AllEvents)) ++turns;
  return turns;
}

bool WaitFor(const std::function<bool()>& ready, const std::string& what) {
  Watcher::Instance();
  const QDeadlineTimer guard(kHangGuardMs);
  while (!ready()) {
    if (guard.hasExpired()) {
      ADD_FAILURE() << what << ": not so after " << kHangGuardMs / 1000 << " s";
      return false;
    }
    QEventLoop loop;
    const int id = Listen([&loop] { loop.quit(); });
    QTimer::singleShot(std::chrono::milliseconds(std::max<qint64>(guard.remainingTime(), 0)), &loop, &QEventLoop::quit);
    loop.exec();
    Unlisten(id);
  }
  return true;
}

bool WaitExposed(QWidget& w) { return QTest::qWaitForWindowExposed(&w, kHangGuardMs); }

std::string Describe(const QWidget& w) {
  return std::string(w.metaObject()->className()) + " \"" + QStringToAnsi(w.objectName()) + "\"";
}

void ForceClose(QWidget& w) {
  if (auto* dialog = qobject_cast<QDialog*>(&w))
    dialog->QDialog::done(QDialog::Rejected);
  else
    w.close();
}

}  // namespace testwindows
