// Writes pictures of the common look, rendered offscreen: a data-list dialog
// in the classic and in the new look, a browser list with its header and
// alternating rows in both looks, an owner-drawn menu, and the dialog once
// more scaled to font size 12.
//   lookshots <folder>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QTableView>
#include <cstdio>
#include <string>

#include "base/recfields.h"
#include "database/setups.h"
#include "platform/codec.h"
#include "ui/Bildressourcen.h"
#include "ui/SAPBtn.h"
#include "ui/kbrowser_memindex.h"
#include "ui/kxPanel.h"
#include "ui/kxbrow.h"
#include "ui/kxbrow_strgrid.h"
#include "ui/kxbuttons.h"
#include "ui/kxform.h"
#include "ui/kxlayout.h"

namespace {

QString gOut;

void Save(const QImage& image, const char* name) {
  const QString file = gOut + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png");
  if (!image.save(file)) std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
}

void Shot(QWidget& w, const char* name) {
  w.ensurePolished();
  Save(w.grab().toImage(), name);
}

// A part of a picture enlarged three times, to check single pixels.
void Zoom(QWidget& w, const QRect& part, const char* name) {
  const QImage image = w.grab().toImage().copy(part);
  Save(image.scaled(image.size() * 3), name);
}

void SetLook(bool newLook, int fontSize) {
  ToSetupColors c;
  ToSetups.GetColors(c);
  rec::SetByte(c.data(), colorsrec::kNewLook, newLook ? 1 : 0);
  rec::SetInt32(c.data(), colorsrec::kFontSize, fontSize);
  ToSetups.SetColors(c);
}

template <class W>
W* Add(QWidget* parent, const char* name, int x, int y, int w, int h) {
  auto* widget = new W(parent);
  widget->setObjectName(QString::fromLatin1(name));
  widget->setGeometry(x, y, w, h);
  return widget;
}

QLabel* Label(QWidget* parent, const char* name, const char* text, int x, int y) {
  auto* l = Add<QLabel>(parent, name, x, y, 120, 16);
  l->setText(QString::fromLatin1(text));
  return l;
}

// A data-list dialog as the log window's lists are designed: caption panel,
// a field group with its caption strip, and the button panel.
void ListDialog(const char* name) {
  TkxForm form;
  form.setWindowTitle(QStringLiteral("Suche im Log"));
  form.resize(460, 300);
  auto* caption = Add<TkxPanel>(&form, "panelCaption", 0, 0, 460, 30);
  auto* caption1 = Add<TkxPanel>(caption, "panelCaption1", 0, 0, 460, 30);
  Label(caption1, "lCaption1", "QSO suchen", 8, 7);
  auto* general = Add<TkxPanel>(&form, "panelAllgemein", 0, 30, 460, 200);
  auto* strip = Add<TkxPanel>(general, "panelFelder", 8, 8, 440, 22);
  strip->setProperty("Tag", 10004);
  Label(strip, "lFelder", "Suchbegriffe", 4, 3);
  Label(general, "lCall", "Rufzeichen", 24, 44);
  Add<QLineEdit>(general, "eCall", 120, 41, 120, 21)->setText(QStringLiteral("DL1ABC"));
  Label(general, "lDok", "DOK", 24, 74);
  Add<QLineEdit>(general, "eDok", 120, 71, 60, 21)->setText(QStringLiteral("B36"));
  Label(general, "lBand", "Band", 24, 104);
  Add<QLineEdit>(general, "eBand", 120, 101, 60, 21)->setText(QStringLiteral("80 m"));
  auto* sap = Add<TSAPBtn>(general, "sapAlle", 260, 40, 90, 25);
  sap->setText(QStringLiteral("Alle Felder"));
  auto* buttons = Add<TkxPanel>(&form, "panelButtonsZQ4", 0, 250, 460, 50);
  const struct {
    const char* name;
    TkxBitBtnKind kind;
    int left;
  } kinds[] = {{"btnSuche", bkSuche, 0}, {"btnOK", bkOK, 200}, {"btnAbbrechen", bkCancel, 290},
               {"btnHilfe", bkHelp, 380}};
  for (const auto& k : kinds) {
    auto* b = Add<TkxBitBtn>(buttons, k.name, k.left, 8, 85, 32);
    b->SetkxKind(k.kind);
  }
  ToLayout.LayoutListForm(&form);
  form.show();
  QApplication::processEvents();
  Shot(form, name);
}

std::string CallOf(const std::string& r) { return r.substr(0, r.find(';')); }
std::string NameOf(const std::string& r) { return r.substr(r.find(';') + 1); }

// A browser list over a small table, its cells drawn by the look.
void BrowserList(const char* name) {
  TBrowMemIndex table{{CallOf, NameOf}};
  const char* const rows[] = {"DL1ABC;Anna;B36;80 m", "DK2XY;Bernd;F12;40 m",
                              "DO3QQ;Clara;P05;80 m", "DF4ZZ;Dieter;A01;40 m",
                              "DM5KA;Eva;Y22;80 m",   "DJ6MM;Frank;R09;40 m",
                              "DH7PP;Greta;K18;80 m", "DL8UU;Hans;N33;40 m",
                              "DG9RR;Inge;C11;80 m",  "DB0XX;Jan;S07;40 m"};
  for (const char* r : rows) table.Add(r);
  TkxForm owner;
  owner.resize(460, 290);
  auto* brow = new TkxBrow(&owner);
  brow->setObjectName(QStringLiteral("Brow"));
  brow->setGeometry(0, 0, 460, 290);
  brow->OnBuildRow = [&table](RowRec& r) { r.Row = table.Record(); };
  brow->OnSetHeaderFooter = [brow] {
    brow->SetHeaderFooter("Rufzeichen;Name;DOK;Band", "", std::string("\x01\x02\x00\x00", 4));
  };
  brow->OnInitSortList = [brow] {
    brow->ClearSortList();
    brow->AddSortListItem("Rufzeichen");
    brow->AddSortListItem("Name");
  };
  brow->OnSortList2Key = [](int i, TKeyStr&, TKeyStr&) { return i + 1; };
  // The cells are drawn by the look's painter.
  brow->SetDefaultDrawing(false);
  brow->OnDrawCell = [brow](QPainter* p, int col, int row, const QRect& rect) {
    const QModelIndex ix = brow->Grid()->model()->index(row - 1, col);
    TDataCellInput in;
    in.Row = row;
    in.Selected = brow->GridCtrl()->IsCurrentCell(row - 1, col) ||
                  brow->GridCtrl()->IsCurrentCell(row - 1, 0);
    in.CurrentRow = in.Selected;
    if (in.Selected) in.SelectionColor = 0xD77800;
    static TCellGradientCache cache;
    ToLayout.DrawDataCell(*p, rect, in, ix.data(Qt::DisplayRole).toString(), &cache);
  };
  owner.show();
  QApplication::processEvents();
  if (!brow->Open(0, &table, TKeyStr{}, TKeyStr{}, 1)) std::fprintf(stderr, "open failed\n");
  ToLayout.LayoutBrowser(&owner, brow);
  brow->resize(460, 289);
  brow->resize(460, 290);
  QApplication::processEvents();
  brow->Grid()->setFocus();
  QApplication::processEvents();
  Shot(owner, name);
  const std::string zoom = std::string(name) + "_zoom";
  Zoom(owner, QRect(0, 0, 230, 60), (zoom + "_top").c_str());
  Zoom(owner, QRect(0, owner.height() - 45, 300, 45), (zoom + "_bar").c_str());
}

void Menu(const char* name) {
  TLookMenuStyle style;
  QMenu menu;
  menu.setStyle(&style);
  const char* const items[] = {"Neu", "Ändern", "Löschen", "erweiterte Suche", "Suche",
                               "Drucken", "Export", "Schließen"};
  for (const char* text : items) menu.addAction(AnsiToQString(text));
  QAction* checked = menu.addAction(QStringLiteral("Liste"));
  checked->setCheckable(true);
  checked->setChecked(true);
  menu.addAction(QStringLiteral("Hilfe"))->setEnabled(false);
  menu.setActiveAction(menu.actions().at(1));
  menu.adjustSize();
  Shot(menu, name);
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  gOut = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("lookshots");
  QDir().mkpath(gOut);
  TFormBildressourcen repo;
  FormBildressourcen = &repo;
  if (argc > 2) LookBaseColor = std::stoi(argv[2], nullptr, 16);
  for (bool newLook : {false, true}) {
    SetLook(newLook, 9);
    ListDialog(newLook ? "look_dialog_new" : "look_dialog_classic");
    BrowserList(newLook ? "look_browser_new" : "look_browser_classic");
    Menu(newLook ? "look_menu_new" : "look_menu_classic");
  }
  // The same dialog for a user who chose font size 12.
  SetLook(true, 12);
  ListDialog("look_dialog_new_size12");
  FormBildressourcen = nullptr;
  return 0;
}
