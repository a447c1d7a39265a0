#include "contest/contestvhf.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <algorithm>

#include "contest/ContestBrowCtrl.h"
#include "contest/ContestFkt.h"
#include "contest/hh.h"
#include "database/dbContestDat.h"
#include "database/filemanager.h"
#include "base/kxstrings.h"
#include "database/setups.h"
#include "platform/codec.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "ui/Bildressourcen.h"
#include "ui/kxbrow.h"
#include "ui/kxEdit.h"
#include "ui/kxbuttons.h"
#include "ui/kxform.h"
#include "ui/kxgrafik.h"
#include "ui/kxscreenfit.h"
#include "ui/kxlayout.h"

namespace {

constexpr int kHelpButtonContext = 1;
// The help topic of the window itself (F1).
constexpr int kWindowHelpContext = 310110018;
// The list's name, which its close question names.
const char* const kListCaption = "Liste der Conteste";

const char* const kUpdateNotice =
    "Informieren Sie sich bitte vor dem Contestzeitpunkt über aktualisierte Versionen dieses "
    "Programms bei den Herausgebern der Contestregeln und in den Mitteilungen des "
    "veranstaltenden Vereins.";
const char* const kUpdateNotice2 =
    "Installieren Sie bitte neue Versionen immer in ein neues leeres Verzeichnis oder tauschen "
    "Sie nur die EXE-Dateien aus.";

void SetBackground(QWidget* w, TColor color) {
  w->setAutoFillBackground(true);
  QPalette pal = w->palette();
  pal.setColor(QPalette::Window, TColorToQColor(color));
  w->setPalette(pal);
}

void SetTextColor(QWidget* w, TColor color) {
  QPalette pal = w->palette();
  pal.setColor(QPalette::WindowText, TColorToQColor(color));
  pal.setColor(QPalette::ButtonText, TColorToQColor(color));
  w->setPalette(pal);
}

QFrame* MakePanel(QWidget* parent, const char* name) {
  auto* f = new QFrame(parent);
  f->setObjectName(QLatin1String(name));
  f->setFrameShape(QFrame::NoFrame);
  return f;
}

QLabel* MakeLabel(QWidget* parent, const char* name) {
  auto* l = new QLabel(parent);
  l->setObjectName(QLatin1String(name));
  return l;
}

TkxBitBtn* MakeButton(QWidget* parent, const char* name, TkxBitBtnKind kind) {
  auto* b = new TkxBitBtn(parent);
  b->setObjectName(QLatin1String(name));
  b->SetkxKind(kind);
  b->SetLayout(blGlyphTop);
  b->setFixedHeight(57);
  b->setMinimumWidth(72);
  return b;
}

int32_t ColorField(const ToSetupColors& c, size_t off) { return rec::GetInt32(c.data(), off); }

}  // namespace

TStartPageLayout ComputeStartPageLayout(QSize client, QSize window, int screenWidth,
                                        int image2Width, const TStartPageLayout& cur) {
  TStartPageLayout l = cur;
  const int W = client.width(), H = client.height();
  QRect& pc = l.panelContest;
  pc.moveTop(40);
  pc.moveLeft(image2Width);
  pc.setWidth(std::min(W - pc.left() - 30, window.width() - pc.left() - 30));
  pc.setHeight(std::min(H - pc.top() - 30, window.height() - pc.top() - 30));
  auto centreOver = [&pc](QRect& r) { r.moveLeft(pc.left() + (pc.width() - r.width()) / 2); };
  // A window made as small as a small screen gets the small screen's layout:
  // the wide one leaves the list too narrow for its own bars.
  if (screenWidth <= 900 || W <= 900) {
    l.imglinks.moveTop(52);
    pc.moveLeft(l.imglinks.left() + l.imglinks.width() + 10);
    pc.setWidth(W - pc.left() - 30);
    l.imgtitels.moveTopLeft(QPoint(pc.left(), 0));
    centreOver(l.lworked);
    l.lworked.moveTop(l.imgtitels.top() + l.imgtitels.height());
    pc.moveTop(l.lworked.top() + l.lworked.height() + 10);
    pc.setHeight(H - pc.top() - 60);
  } else {
    l.imglinks.moveTopLeft(QPoint(100, 135));
    l.lworked.moveTop(l.imglinks.top() - l.lworked.height());
    pc.moveLeft(l.imglinks.left() + l.imglinks.width() + 30);
    pc.setWidth(W - pc.left() - 120);
    centreOver(l.lworked);
    pc.moveTop(l.lworked.top() + l.lworked.height());
    pc.setHeight(H - pc.top() - 60);
    centreOver(l.imgtitels);
  }
  l.lhinweisupdate.setWidth(W - l.lhinweisupdate.left() - 30);
  // One line stands at H - 30; a notice wrapped into more lines grows upwards.
  l.lhinweisupdate.moveTop(std::min(H - 30, H - 14 - l.lhinweisupdate.height()));
  l.lhinweisupdate2.moveTop(l.lhinweisupdate.top() - l.lhinweisupdate2.height() - 10);
  if (l.lhinweisupdate2.left() + l.lhinweisupdate2.width() > pc.left())
    l.lhinweisupdate2.moveLeft(130);
  // The list ends above the notices it would otherwise cover.
  const bool besideList = l.lhinweisupdate2.left() < pc.left() + pc.width() &&
                          l.lhinweisupdate2.left() + l.lhinweisupdate2.width() > pc.left();
  if (besideList && pc.top() + pc.height() > l.lhinweisupdate2.top() - 4)
    pc.setHeight(l.lhinweisupdate2.top() - 4 - pc.top());
  if (l.imgtitels.left() + l.imgtitels.width() + 50 > screenWidth)
    l.imgtitels.moveLeft(screenWidth - 50 - l.imgtitels.width());
  return l;
}

TContestBrow::TContestBrow(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("ContestBrow"));
  setWindowTitle(AnsiToQString("Contest - Modul"));
  setMinimumSize(800, 600);
  // The designed size, but never wider or higher than the screen it opens on.
  const QScreen* shownOn = screen() != nullptr ? screen() : QApplication::primaryScreen();
  resize(shownOn != nullptr ? QSize(1006, 600).boundedTo(shownOn->availableGeometry().size())
                            : QSize(1006, 600));
  setFont(QFont(QStringLiteral("Liberation Sans"), 8));
  BuildForm();
  FormCreate();
}

TContestBrow::~TContestBrow() {
  LanguageFlag = 1;
  ctrl_.reset();
}

void TContestBrow::BuildForm() {
  Image2 = MakeLabel(this, "Image2");
  Image2->setScaledContents(true);
  imguntergrund = MakeLabel(this, "imguntergrund");
  imguntergrund->hide();
  imgtitel_ = MakeLabel(this, "imgtitel_");
  imglinks = MakeLabel(this, "imglinks");
  imglinks->setGeometry(100, 135, 170, 120);
  lworked = MakeLabel(this, "lworked");
  lworked->setFont(QFont(QStringLiteral("Liberation Sans"), 12));
  imgtitels = MakeLabel(this, "imgtitels");
  QFont big(QStringLiteral("Liberation Sans"));
  big.setPixelSize(43);
  imgtitels->setFont(big);
  SetTextColor(imgtitels, 0xFFFFFF);
  imgtitels->setGeometry(300, 40, 400, 52);
  lhinweisupdate = MakeLabel(this, "lhinweisupdate");
  lhinweisupdate->setText(AnsiToQString(kUpdateNotice));
  lhinweisupdate->setWordWrap(true);  // a narrow window shows it in two lines
  SetTextColor(lhinweisupdate, 0xFFFFFF);
  lhinweisupdate->setGeometry(20, 530, 900, 16);
  lhinweisupdate2 = MakeLabel(this, "lhinweisupdate2");
  lhinweisupdate2->setText(AnsiToQString(kUpdateNotice2));
  lhinweisupdate2->adjustSize();
  lhinweisupdate2->move(180, 500);

  MenueBeenden = MakeLabel(this, "MenueBeenden");
  MenueBeenden->setProperty("Tag", 800);
  QFont menuFont(QStringLiteral("Liberation Sans"), 10);
  menuFont.setBold(true);
  menuFont.setItalic(true);
  MenueBeenden->setFont(menuFont);
  SetTextColor(MenueBeenden, 0xFFFFFF);
  MenueBeenden->setGeometry(0, 8, 156, 20);
  MenueBeenden->setCursor(Qt::PointingHandCursor);
  MenueBeenden->installEventFilter(this);
  MenueBeenden->setMouseTracking(true);

  panelContest = MakePanel(this, "panelContest");
  panelContest->setProperty("Tag", 7);
  PanelDXOben = MakePanel(panelContest, "PanelDXOben");
  auto* title = new QLabel(AnsiToQString("Liste der Conteste"), PanelDXOben);
  title->move(8, 4);
  Brow = new TkxBrow(panelContest);
  Brow->setObjectName(QStringLiteral("Brow"));
  PanelUnten = MakePanel(panelContest, "PanelUnten");
  bevelunten = MakePanel(PanelUnten, "bevelunten");
  bevelunten->setFrameShape(QFrame::HLine);
  bevelunten2 = MakePanel(PanelUnten, "bevelunten2");
  bevelunten2->setFrameShape(QFrame::HLine);
  panelbuttonsZq4 = MakePanel(PanelUnten, "panelbuttonsZq4");
  btnHilfeZq4 = MakeButton(panelbuttonsZq4, "btnHilfeZq4", bkGHelp);
  panelbuttonsrechtsZq4 = MakePanel(panelbuttonsZq4, "panelbuttonsrechtsZq4");
  btnNeuzq4 = MakeButton(panelbuttonsrechtsZq4, "btnNeuzq4", bkGNeu);
  btnAendernZq4 = MakeButton(panelbuttonsrechtsZq4, "btnAendernZq4", bkGStart);
  btnAendernZq4->SetCaption("Starten");
  btnAendernZq4->SetDefault(true);
  btnLoeschenZq4 = MakeButton(panelbuttonsrechtsZq4, "btnLoeschenZq4", bkGLoeschen);
  btnKopiezq4 = MakeButton(panelbuttonsrechtsZq4, "btnKopiezq4", bkGExport);
  btnKopiezq4->SetCaption("in Haupt-Log kopieren");
  btnendeZq4 = MakeButton(panelbuttonsrechtsZq4, "btnendeZq4", bkGClose);
  btnendeZq4->setFixedWidth(72);
  int x = 0;
  for (TkxBitBtn* b : {btnNeuzq4, btnAendernZq4, btnLoeschenZq4, btnendeZq4}) {
    b->setGeometry(x, 0, std::max(b->sizeHint().width(), 80), 57);
    x += b->width() + 2;
  }
  btnendeZq4->setFixedWidth(72);
  panelbuttonsrechtsZq4->resize(x, 57);
  btnHilfeZq4->setGeometry(0, 0, 80, 57);

  connect(btnNeuzq4, &QPushButton::clicked, this, [this] { btnNeuzq3Click(); });
  connect(btnAendernZq4, &QPushButton::clicked, this, [this] { btnAendernZq3Click(); });
  connect(btnLoeschenZq4, &QPushButton::clicked, this, [this] { btnLoeschenZq3Click(); });
  connect(btnHilfeZq4, &QPushButton::clicked, this, [this] { btnHilfeZq3Click(); });
  connect(btnendeZq4, &QPushButton::clicked, this, [this] { btnendezq3Click(); });

  ForwardBrowserEvents(*Brow, [this]() -> TDatenBrowCtrl* { return ctrl_.get(); });
  Brow->SetCaption(kListCaption);
  // The list is the window's module: its close cross ends the program like
  // the close button, Escape in the list after the list's own question.
  Brow->OnBrowCloseBtnKlick = [this](QObject*) { CloseFromList(); };
  Brow->OnProcessPostCommand = [this](Qt::KeyboardModifiers, int key) {
    if (key == Qt::Key_F1) {
      OpenWindowHelp();
      return true;
    }
    if (key == Qt::Key_Escape && Brow->EscapeFlag()) {
      CloseFromList();
      return true;
    }
    return false;
  };
  Brow->OnBrowDoppelKlick = [this] { btnAendernZq3Click(); };
  Brow->OnBrowEnter = [this] { btnAendernZq3Click(); };
  // The list's own delete command is the delete button: same questions,
  // same deletion, a failure said the same way.
  Brow->OnDatensatz_Loeschen = [this] {
    btnLoeschenZq3Click();
    return true;
  };
}

void TContestBrow::FormCreate() {
  if (FormBildressourcen == nullptr) FormBildressourcen = new TFormBildressourcen();
  // Every help request of the program (F1 in a form, the help buttons) ends in the help hook.
  SetHelpContext(this, kWindowHelpContext);
  SetHelpContextHandler([](int context) { ApplicationHelpCommand(kHelpContext, context); });
  lworked->hide();
  imgtitel_->hide();
  imglinks->hide();

  std::string versionLine, titleBitmap, notice;
  TContestFkt::GetEditionInfo(editionLetter_, versionLine, titleBitmap, notice);
  setWindowTitle(AnsiToQString(versionLine));

  std::string name, picture;
  ContestFkt.GetContestTitle(editionLetter_, name, picture);
  if (!name.empty()) {
    lworked->setText(AnsiToQString(name));
    lworked->adjustSize();
    lworked->show();
  }
  if (!picture.empty() && FileExistsAnsi(ProgramDirectory + picture)) {
    const QImage img(FileNameToQString(ProgramDirectory + picture));
    if (!img.isNull()) {
      imglinks->resize(img.size());
      imglinks->setPixmap(QPixmap::fromImage(img));
      imglinks->show();
    }
  }
  imglinks->setScaledContents(true);

  ToSetupColors colors;
  ToSetups.GetColors(colors);
  const TColor page = ColorField(colors, colorsrec::kStartPageColor);
  SetBackground(this, page);

  if (!StartFileManager()) {
    exitCode_ = 1;
    return;
  }
  MenueBeenden->setText(AnsiToQString(LanguageText("    Beenden", "    Finish")));
  move(0, 0);
  btnKopiezq4->hide();

  ctrl_ = std::make_unique<TContestBrowCtrl>(Brow, editionLetter_, this);
  exitCode_ = ctrl_->Start();
  if (exitCode_ != 0) {
    ctrl_.reset();
    return;
  }
  ctrl_->RefreshGrid();
  // The chooser shows the order the list is in.
  if (Brow->SortlistItemIndex() < 0) Brow->SetSortlistItemIndex(Brow->CurrentKeyNumber() - 1);
  imgtitels->setText(AnsiToQString(ctrl_->ContestDescription().EditionName));
  imgtitels->adjustSize();

  // Colours of the start page (they follow the settings just loaded).
  ToSetups.GetColors(colors);
  ApplyStartPageLook(ColorField(colors, colorsrec::kStartPageColor));
  Brow->SetNoDrag(true);
  if (Brow->SearchField() != nullptr) Brow->SearchField()->setFocus();

  PanelUnten->setFixedHeight(btnHilfeZq4->height() + 6);
  PanelUntenResize();
  ToLayout.LayoutBrowser(this, Brow);
  panelbuttonsZq4->show();
  ToLayout.ApplyButtonGlyphs(this);
  PanelDXOben->hide();
  lhinweisupdate->show();
  lhinweisupdate2->show();
  LayoutForm();

  if (ctrl_->ContestListTable()->UsedRecords() == 0) {
    // A first start leads straight into the set-up of a new contest.
    show();
    QCoreApplication::processEvents();
    btnNeuzq3Click();
  }
}

void TContestBrow::ApplyStartPageLook(TColor page) {
  StyleStartPage(this, Image2, lhinweisupdate);
  for (QWidget* w : std::initializer_list<QWidget*>{panelContest, PanelUnten, panelbuttonsZq4,
                                                    panelbuttonsrechtsZq4, Brow,
                                                    Brow->FooterBar(), Brow->HeaderBar()}) {
    if (w != nullptr) SetBackground(w, page);
  }
  // The list lies flat on the page, without a frame of its own.
  Brow->SetGridBorderStyle(0);
  const TColor contrast = ToGrafik.ContrastColor(ColorToRGB(page));
  SetTextColor(PanelUnten, contrast);
  if (Brow->FooterBar() != nullptr) SetTextColor(Brow->FooterBar(), contrast);
  for (TkxBitBtn* b : panelbuttonsZq4->findChildren<TkxBitBtn*>()) SetTextColor(b, contrast);
  SetTextColor(lworked, 0xE9E9E9);
  SetTextColor(lhinweisupdate2, 0x00FFFF);
  SetBackground(MenueBeenden, 0x0000FF);
  MenueBeenden->setAutoFillBackground(false);
}

void TContestBrow::LayoutForm() {
  if (layingOut_) return;
  layingOut_ = true;
  const QScreen* screen = this->screen() != nullptr ? this->screen() : QApplication::primaryScreen();
  const int S = screen != nullptr ? screen->geometry().width() : 1024;
  Image2->setGeometry(0, 0, 170, height());
  TStartPageLayout cur{panelContest->geometry(), imglinks->geometry(), lworked->geometry(),
                       imgtitels->geometry(), lhinweisupdate->geometry(),
                       lhinweisupdate2->geometry()};
  // The update notice as high as its text needs at the width it will get.
  const int noticeWidth = std::max(1, width() - lhinweisupdate->x() - 30);
  cur.lhinweisupdate.setHeight(std::max(16, lhinweisupdate->heightForWidth(noticeWidth)));
  const TStartPageLayout l =
      ComputeStartPageLayout(size(), frameGeometry().size(), S, Image2->width(), cur);
  panelContest->setGeometry(l.panelContest);
  imglinks->setGeometry(l.imglinks);
  lworked->setGeometry(l.lworked);
  imgtitels->setGeometry(l.imgtitels);
  lhinweisupdate->setGeometry(l.lhinweisupdate);
  lhinweisupdate2->setGeometry(l.lhinweisupdate2);
  if (imguntergrund->pixmap().isNull() == false) imguntergrund->setGeometry(rect());

  // Inside the list panel: title bar (hidden), list, button bar at the bottom.
  const int pw = panelContest->width(), ph = panelContest->height();
  PanelDXOben->setGeometry(0, 0, pw, 24);
  const int top = PanelDXOben->isVisible() ? 24 : 0;
  PanelUnten->setGeometry(0, ph - PanelUnten->height(), pw, PanelUnten->height());
  Brow->setGeometry(0, top, pw, ph - top - PanelUnten->height());
  PanelUntenResize();
  layingOut_ = false;
}

void TContestBrow::PanelUntenResize() {
  const int w = PanelUnten->width();
  bevelunten->setGeometry(0, 0, w, 2);
  bevelunten2->setGeometry(0, PanelUnten->height() - 2, w, 2);
  panelbuttonsZq4->setGeometry(0, 2, w, btnHilfeZq4->height());
  panelbuttonsrechtsZq4->move(w - panelbuttonsrechtsZq4->width(), 0);
}

void TContestBrow::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  LayoutForm();
}

void TContestBrow::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  // Placed once: the frame and all inside the screen; the user may move it later.
  if (!shownOnce_) FitWindowIntoScreen(this);
  LayoutForm();
  // Typing at once searches the list.
  if (!shownOnce_ && Brow->SearchField() != nullptr) Brow->SearchField()->setFocus();
  shownOnce_ = true;
}

bool TContestBrow::eventFilter(QObject* watched, QEvent* e) {
  if (watched == MenueBeenden) {
    if (e->type() == QEvent::MouseButtonRelease) {
      btnendezq3Click();
      return true;
    }
    // Hover look: the menu label shows its red background under the mouse.
    if (e->type() == QEvent::Enter) MenueBeenden->setAutoFillBackground(true);
    if (e->type() == QEvent::Leave) MenueBeenden->setAutoFillBackground(false);
  }
  return QWidget::eventFilter(watched, e);
}

bool TContestBrow::FormKeyDown(int key) {
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F10:
      btnAendernZq4->click();
      return true;
    case Qt::Key_Escape:
      if (ToMessages.JaNeinFrage("", "", "Programm beenden?", false)) close();
      return true;
    case Qt::Key_F1:
      OpenWindowHelp();
      return true;
    default:
      return false;
  }
}

void TContestBrow::keyPressEvent(QKeyEvent* e) {
  if (FormKeyDown(e->key())) {
    e->accept();
    return;
  }
  if (Brow->isAncestorOf(QApplication::focusWidget()) &&
      Brow->ExecuteCommand(e->modifiers(), e->key())) {
    e->accept();
    return;
  }
  QWidget::keyPressEvent(e);
}

void TContestBrow::btnNeuzq3Click() {
  if (!ctrl_) return;
  try {
    const int32_t ref = ctrl_->NewContest();
    Brow->GotoRecord(0);
    if (ref > 0) {
      Brow->GotoRecord(ref);
      ctrl_->OpenContest(ref);
      ctrl_->FinishContest();
    }
    Brow->Refresh();
  } catch (const std::exception& ex) {
    ToMessages.Fehler(ex.what());
  }
}

void TContestBrow::btnAendernZq3Click() {
  if (!ctrl_ || !Brow->HasRecords()) return;
  try {
    const int32_t ref = Brow->CurrentRowRef();
    const bool started = ctrl_->EditContest(ref);
    Brow->GotoRecord(ref);
    if (started) {
      ctrl_->OpenContest(ref);
      ctrl_->FinishContest();
    }
    Brow->Refresh();
  } catch (const std::exception& ex) {
    ToMessages.Fehler(ex.what());
  }
}

void TContestBrow::btnLoeschenZq3Click() {
  if (!ctrl_ || !Brow->HasRecords()) return;
  try {
    const int32_t ref = Brow->CurrentRowRef();
    ctrl_->DeleteContest(ref);
    // A log kept stays the current row; after a delete the list closes the gap.
    if (ctrl_->ContestListTable()->GotoRecord(ref))
      Brow->GotoRecord(ref);
    else
      Brow->Refresh();
  } catch (const std::exception& ex) {
    ToMessages.Fehler(ex.what());
  }
}

void TContestBrow::btnHilfeZq3Click() { ApplicationHelpCommand(kHelpContext, kHelpButtonContext); }

void TContestBrow::OpenWindowHelp() {
  QWidget* focus = QApplication::focusWidget();
  OpenHelpContext(focus != nullptr && isAncestorOf(focus) ? focus : this);
}

void TContestBrow::CloseFromList() {
  if (Brow->CloseQuery()) close();
}

void TContestBrow::btnendezq3Click() { close(); }

