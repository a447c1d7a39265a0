#include "support/WindowWatch.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <list>
#include <map>
#include <memory>
#include <set>

#include "support/KeyboardWindow.h"
#include "support/WindowEvents.h"

namespace testwindows {
namespace {

struct Watch {
  int id = 0;
  std::function<bool(QWidget&)> accepts;
  std::function<void(QWidget&)> action;
  std::string what;
  uint64_t after = 0;  // takes windows shown after this showing
  bool each = false;
  QTimer* awaited = nullptr;  // the hang guard while a single window is awaited
};

class Watches {
 public:
  static Watches& Instance() {
    // Kept to the end of the process, as the window events are.
    static Watches* watches = new Watches;
    return *watches;
  }

  int Add(std::function<bool(QWidget&)> accepts, std::function<void(QWidget&)> action, std::string what, bool each) {
    auto watch = std::make_shared<Watch>();
    watch->id = ++lastId_;
    watch->accepts = std::move(accepts);
    watch->action = std::move(action);
    watch->what = std::move(what);
    watch->after = LatestShowing();
    watch->each = each;
    if (!each) {
      watch->awaited = new QTimer(&context_);
      watch->awaited->setSingleShot(true);
      QObject::connect(watch->awaited, &QTimer::timeout, &context_, [this, id = watch->id] { Expire(id); });
      watch->awaited->start(kHangGuardMs);
    }
    pending_.push_back(watch);
    Schedule();
    return watch->id;
  }

  void Forget(int id) {
    const auto it = std::find_if(pending_.begin(), pending_.end(), [id](const auto& w) { return w->id == id; });
    if (it == pending_.end()) return;
    // The guard may be the one whose timeout is being handled.
    if ((*it)->awaited != nullptr) (*it)->awaited->deleteLater();
    pending_.erase(it);
  }

  void EndOfTest() {
    std::vector<std::shared_ptr<Watch>> awaited;
    for (const auto& w : pending_)
      if (!w->each) awaited.push_back(w);
    for (const auto& w : awaited) {
      ADD_FAILURE() << w->what << " did not come up before the test ended";
      Forget(w->id);
    }
    for (QTimer* t : leftOpen_) t->deleteLater();
    leftOpen_.clear();
    claimed_.clear();
  }

 private:
  Watches() {
    Listen([this] {
      if (!pending_.empty()) Schedule();
    });
  }

  // The windows are looked at from the event loop, never from inside the
  // delivery of the event that told of a change.
  void Schedule() {
    if (posted_) return;
    posted_ = true;
    QMetaObject::invokeMethod(
        &context_,
        [this] {
          posted_ = false;
          Check();
        },
        Qt::QueuedConnection);
  }

  bool Claimed(const QWidget& w) const {
    const auto it = claimed_.find(&w);
    return it != claimed_.end() && it->second == ShowingOf(w);
  }

  std::shared_ptr<Watch> FirstFor(QWidget& w) const {
    const uint64_t showing = ShowingOf(w);
    for (const auto& watch : pending_)
      if (showing > watch->after && watch->accepts(w)) return watch;
    return nullptr;
  }

  // The modal window on top that an action waits for; null when there is
  // none. Only that window can be driven, as only it takes a user's keys.
  std::shared_ptr<Watch> WaitingForTop(QWidget*& top) const {
    top = QApplication::activeModalWidget();
    if (top == nullptr || !top->isVisible() || Claimed(*top)) return nullptr;
    return FirstFor(*top);
  }

  // The window goes to the first action waiting for it once the user would
  // see it settled -- laid out, holding the keyboard. While it settles, the
  // events it takes may call for a check again: one of a newer window on
  // top runs (its loop is inside), one of the same window is left to this
  // one, so that its action runs here, once nothing is left to settle --
  // and no settling goes on after the action to run what it left queued
  // for the windows after it. Everything is looked at afresh after a wait.
  void Check() {
    QWidget* top = nullptr;
    if (!WaitingForTop(top) || top == settling_) return;
    const QPointer<QWidget> outer = settling_;
    settling_ = top;
    std::shared_ptr<Watch> watch;
    Drain();
    for (bool offered = false;; offered = true) {
      watch = WaitingForTop(top);
      if (!watch || HoldsKeyboard(*top) || offered) break;
      OfferKeyboard(*top);
    }
    settling_ = outer;
    // Not holding the keyboard yet: the change that gives it calls again.
    if (watch && HoldsKeyboard(*top)) Run(watch, *top);
  }

  void Run(const std::shared_ptr<Watch>& watch, QWidget& window) {
    const uint64_t showing = ShowingOf(window);
    claimed_[&window] = showing;
    if (!watch->each) Forget(watch->id);
    QPointer<QWidget> w(&window);
    watch->action(window);
    if (!watch->each && w && w->isVisible() && ShowingOf(*w) == showing) GuardLeftOpen(w, showing);
    Schedule();
  }

  // Steps that should have closed their window but did not would leave the
  // test hanging in it.
  void GuardLeftOpen(QPointer<QWidget> w, uint64_t showing) {
    auto* guard = new QTimer(&context_);
    guard->setSingleShot(true);
    QObject::connect(guard, &QTimer::timeout, &context_, [this, guard, w, showing] {
      leftOpen_.erase(guard);
      guard->deleteLater();
      if (w && w->isVisible() && ShowingOf(*w) == showing) {
        ADD_FAILURE() << "window left open: " << Describe(*w);
        ForceClose(*w);
      }
    });
    leftOpen_.insert(guard);
    guard->start(kHangGuardMs);
  }

  // The window awaited has not come within the guard: the one up instead
  // keeps the test waiting, so it is closed.
  void Expire(int id) {
    const auto it = std::find_if(pending_.begin(), pending_.end(), [id](const auto& w) { return w->id == id; });
    if (it == pending_.end()) return;
    const std::shared_ptr<Watch> watch = *it;
    Forget(id);
    QWidget* top = QApplication::activeModalWidget();
    if (top == nullptr) {
      ADD_FAILURE() << watch->what << " did not come up; no modal window is up";
      return;
    }
    const bool itsWindow = ShowingOf(*top) > watch->after && watch->accepts(*top);
    ADD_FAILURE() << watch->what << (itsWindow ? " came up but did not take the keyboard: " : " did not come up; on top: ")
                  << Describe(*top);
    if (top->isVisible() && !Claimed(*top)) ForceClose(*top);
  }

  QObject context_;
  std::list<std::shared_ptr<Watch>> pending_;
  std::map<const QWidget*, uint64_t> claimed_;  // the showing handed to an action
  std::set<QTimer*> leftOpen_;
  QPointer<QWidget> settling_;  // the window a check is settling
  bool posted_ = false;
  int lastId_ = 0;
};

}  // namespace

void WhenWindowUp(std::function<bool(QWidget&)> accepts, std::function<void(QWidget&)> action, std::string what) {
  Watches::Instance().Add(std::move(accepts), std::move(action), std::move(what), false);
}

EachWindowUp::EachWindowUp(std::function<bool(QWidget&)> accepts, std::function<void(QWidget&)> action)
    : id_(Watches::Instance().Add(std::move(accepts), std::move(action), std::string(), true)) {}

EachWindowUp::~EachWindowUp() { Watches::Instance().Forget(id_); }

void EndOfTest() { Watches::Instance().EndOfTest(); }

}  // namespace testwindows
