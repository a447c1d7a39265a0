// Writes pictures of the QSO edit dialog, the QSO list, the callsign search,
// the band chooser, the band log and the ADIF import dialog over a sample
// log into a folder, rendered offscreen, so that their look can be checked
// without a desktop.
//   qsoeditshots <folder>
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <functional>

#include "benchsupport.h"
#include "brzsample.h"
#include "logentry/dialogs/ContestAdifimportCtrl.h"
#include "logentry/dialogs/ContestAdifimportForm.h"
#include "logentry/dialogs/ContestEingabeStd2Ctrl.h"
#include "logentry/model/contloggrid.h"
#include "logentry/dialogs/qsochange.h"
#include "logentry/dialogs/stdkorr.h"
#include "platform/codec.h"
#include "platform/paths.h"
#include "ui/filebaseoop.h"
#include "ui/kxbrow.h"
#include "ui/kxbuttons.h"

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

// The import dialog with a file of another logbook read and two of its
// fields assigned to the party's exchange captions.
void AdifImportDialog(const TContestRec& contest, const std::string& folder) {
  const std::string file = folder + "anderes-logbuch.adi";
  std::ofstream(file, std::ios::binary)
      << "<ADIF_VER:5>3.1.0 <PROGRAMID:5>Other <EOH>\n"
         "<CALL:6>F6ABC <QSO_DATE:8>20151220 <TIME_ON:6>095510 <BAND:3>80M <FREQ:7>3.55123 <MODE:2>CW "
         "<RST_SENT:3>599 <RST_RCVD:3>579 <SRX_STRING:3>101 <GRIDSQUARE:4>JO43 <NAME:4>Jean <EOR>\n";
  bench::FixedFileDialog chosen(file);
  QTimer::singleShot(200, [] {
    auto* form = qobject_cast<TContestAdifimportForm*>(QApplication::activeModalWidget());
    if (form == nullptr) {
      std::fprintf(stderr, "no window for adifimport\n");
      return;
    }
    form->btndateiClick();
    form->ListeLinks->setCurrentRow(0);
    for (const auto& [adif, log] : {std::pair<const char*, const char*>{"GRIDSQUARE", "Loc"}, {"SRX_STRING", "BRZ-Nr"}})
      for (int row = 0; row < form->ListeRechtsLB->count(); ++row)
        if (QStringToAnsi(form->ListeRechtsLB->item(row)->text()) == log) form->ListeRechtsLBDragDrop(row, adif);
    QApplication::processEvents();
    const QString png = gOut + QStringLiteral("/adifimport.png");
    if (!form->grab().save(png)) std::fprintf(stderr, "cannot write %s\n", qPrintable(png));
    form->BitBtn1->click();
  });
  TContestAdifimportCtrl ctrl(nullptr, contest);
  ctrl.Execute();
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

  AdifImportDialog(*sample.Contest, ProgramDirectory);
  std::printf("pictures in %s\n", qPrintable(gOut));
  return 0;
}
