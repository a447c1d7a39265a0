// Writes pictures of the QSO edit dialog, the QSO list, the callsign search,
// the band chooser and the band log over a sample log into a folder,
// rendered offscreen, so that their look can be checked without a desktop.
//   qsoeditshots <folder>
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <functional>

#include "brzsample.h"
#include "logentry/dialogs/ContestEingabeStd2Ctrl.h"
#include "logentry/model/contloggrid.h"
#include "logentry/dialogs/qsochange.h"
#include "logentry/dialogs/stdkorr.h"
#include "platform/codec.h"
#include "platform/paths.h"
#include "ui/kxbrow.h"

namespace {

QString gOut;

// Grabs the modal window that opens next into name.png, then runs next on
// it (which must close it).
void GrabNext(const char* name, std::function<void(QWidget*)> next) {
  QTimer::singleShot(200, [name, next] {
    QWidget* w = QApplication::activeModalWidget();
    if (w == nullptr) {
      std::fprintf(stderr, "no window for %s\n", name);
      return;
    }
    const QString file = gOut + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png");
    if (!w->grab().save(file)) std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
    next(w);
  });
}

void PressKey(QWidget* w, int key) {
  QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : w;
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(target, &press);
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  app.setFont(QFont(QStringLiteral("Liberation Sans"), 9));
  if (argc < 2) {
    std::fprintf(stderr, "usage: qsoeditshots <folder>\n");
    return 2;
  }
  gOut = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(gOut);
  QTemporaryDir dir;
  ProgramDirectory = QStringToFileName(dir.path()) + "/";
  TBrzSample sample;
  if (!MakeBrzSample(sample) || !FillBrzLog(sample.Nummer, 60)) return 1;

  TdbContest qsoTable(kContestLog, false, sample.Nummer);
  TdbContest rows(kContestLog, false, sample.Nummer);
  TNoLookupRoutines routines;
  TQsoWindowLink link;
  link.Contest = sample.Contest.get();
  link.ContestListTable = sample.List.get();
  link.QsoTable = &qsoTable;
  link.Routines = &routines;
  // Rows and captions as the log window's grid shows them.
  link.BuildGridHeader = [&sample] { return BuildGridHeader(*sample.Contest, false); };
  link.BuildGridRow = [&rows, &sample](int32_t ref) -> std::string {
    if (!rows.GotoRecord(ref)) return {};
    TContestQsoRecord q;
    rows.GetQsoRecord(q);
    return BuildGridRow(q, *sample.Contest, '4');
  };

  // The edit dialog, opened from the QSO list on the newest QSO but two.
  GrabNext("qsolist", [](QWidget* list) {
    PressKey(list, Qt::Key_Up);
    PressKey(list, Qt::Key_Up);
    GrabNext("qsoedit", [](QWidget* form) { PressKey(form, Qt::Key_Escape); });
    PressKey(list, Qt::Key_Return);
    PressKey(list, Qt::Key_Escape);
  });
  ShowQsoList(link, kKorrekturQsoList, 'b');

  GrabNext("callsearch", [](QWidget* search) {
    for (const char c : std::string("DK2A1")) {
      QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(c)));
      QApplication::sendEvent(QApplication::focusWidget() ? QApplication::focusWidget() : search, &press);
    }
    GrabNext("callsearch_list", [](QWidget* list) { PressKey(list, Qt::Key_Escape); });
    PressKey(search, Qt::Key_Return);
  });
  ShowQsoList(link, kKorrekturCallSearch, 'b');

  GrabNext("bandchooser", [](QWidget* chooser) {
    PressKey(chooser, Qt::Key_Down);
    GrabNext("bandlog", [](QWidget* list) { PressKey(list, Qt::Key_Escape); });
    PressKey(chooser, Qt::Key_Return);
  });
  ShowQsoList(link, kKorrekturBandLog, 'b');
  std::printf("pictures in %s\n", qPrintable(gOut));
  return 0;
}
