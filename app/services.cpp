#include "app/services.h"

#include "contest/ContestEntries.h"
#include "contest/eingcontstd.h"
#include "logentry/window/contlogstd.h"
#include "logentry/dialogs/qsowindowservices.h"
#include "outputs/ToolsFkt.h"
#include "outputs/ZeitraumEUTagCtrl.h"
#include "outputs/stdrout.h"
#include "outputs/wagdat.h"
#include "ui/kxmessage.h"
#include "ui/prefausw.h"

void InstallProgramServices() {
  InstallMessageDialogs();
  InstallDxccChoiceDialog();
  RegisterContestSetupDialog();
  ContestEntries().OpenContestLogWindow = [](QWidget* owner, int32_t nummer, const TContestRec& description,
                                             TdbContest& contestTable, TdbContest& extraTable) {
    OpenContestLogWindow(owner, nummer, description, contestTable, extraTable);
  };
  InstallClaimedTotalsUpdate();
  InstallQsoWindowServices();
  InstallLogOutputs();
  InstallPeriodDialog();
  InstallToolsFkt();
  InstallFileViewer();
}
