#pragma once
// TContestBrow: the main window "Contest - Modul", the program's start
// page. It shows this edition's contest logs and the buttons to create,
// start and delete a log, to get help and to leave; the list and the
// actions belong to the list controller it owns.
#include <QImage>
#include <QWidget>
#include <memory>
#include <string>

#include "ui/kxgrafik.h"

class QFrame;
class QLabel;
class TContestBrowCtrl;
class TkxBitBtn;
class TkxBrow;

// Where the window's parts go for a client size W x H on a screen S wide.
struct TStartPageLayout {
  QRect panelContest, imglinks, lworked, imgtitels, lhinweisupdate, lhinweisupdate2;
};
// current: the parts' present places (sizes are kept, places computed).
TStartPageLayout ComputeStartPageLayout(QSize client, QSize window, int screenWidth,
                                        int image2Width, const TStartPageLayout& current);

class TContestBrow : public QWidget {
  Q_OBJECT
 public:
  explicit TContestBrow(QWidget* parent = nullptr);
  ~TContestBrow() override;

  // 0 when the window is ready; otherwise the program ends with this code.
  int StartExitCode() const { return exitCode_; }
  TContestBrowCtrl* Controller() const { return ctrl_.get(); }
  char EditionLetter() const { return editionLetter_; }

  // Button handlers (the grid's double click and Enter run btnAendernZq3Click).
  void btnNeuzq3Click();
  void btnAendernZq3Click();
  void btnLoeschenZq3Click();
  void btnHilfeZq3Click();
  void btnendezq3Click();

  TkxBrow* Brow = nullptr;
  QLabel* Image2 = nullptr;
  QLabel* MenueBeenden = nullptr;
  QFrame* panelContest = nullptr;
  QFrame* PanelDXOben = nullptr;
  QFrame* PanelUnten = nullptr;
  QFrame* bevelunten = nullptr;
  QFrame* bevelunten2 = nullptr;
  QFrame* panelbuttonsZq4 = nullptr;
  QFrame* panelbuttonsrechtsZq4 = nullptr;
  TkxBitBtn* btnNeuzq4 = nullptr;
  TkxBitBtn* btnendeZq4 = nullptr;
  TkxBitBtn* btnKopiezq4 = nullptr;
  TkxBitBtn* btnHilfeZq4 = nullptr;
  TkxBitBtn* btnLoeschenZq4 = nullptr;
  TkxBitBtn* btnAendernZq4 = nullptr;
  QLabel* imgtitel_ = nullptr;
  QLabel* imglinks = nullptr;
  QLabel* lworked = nullptr;
  QLabel* imguntergrund = nullptr;
  QLabel* lhinweisupdate = nullptr;
  QLabel* lhinweisupdate2 = nullptr;
  QLabel* imgtitels = nullptr;

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void BuildForm();
  void FormCreate();
  void LayoutForm();
  void PanelUntenResize();
  // The window's keys: Enter and F10 start the current log, Escape asks
  // whether to end the program. True when the key was one of them.
  bool FormKeyDown(int key);
  void ApplyStartPageLook(TColor pageColor);
  // Help on the window (F1): the focused control's topic or the window's.
  void OpenWindowHelp();
  // The list's close cross and Escape in the list: the list's close question, then the end.
  void CloseFromList();

  char editionLetter_ = '4';
  int exitCode_ = 0;
  bool layingOut_ = false;
  bool shownOnce_ = false;
  std::unique_ptr<TContestBrowCtrl> ctrl_;
};
