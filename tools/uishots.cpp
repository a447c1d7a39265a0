// Writes pictures of the message dialogs, a row of picture buttons and a
// sheet of every repository picture into a folder, rendered offscreen, so
// that their look can be checked without a desktop.
//   uishots <folder>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QPainter>
#include <cstdio>

#include "platform/codec.h"
#include "ui/Bildressourcen.h"
#include "ui/kxMessageForm.h"
#include "ui/kxbuttons.h"

namespace {
QString gOut;

void Shot(QWidget& w, const char* name) {
  w.ensurePolished();
  const QString file = gOut + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png");
  if (!w.grab().save(file)) std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
}

void Buttons(TFormBildressourcen& repo) {
  TkxForm form;
  form.setFont(QFont(QStringLiteral("Arial"), 9));
  form.resize(800, 140);
  struct ButtonSample {
    TkxBitBtnKind kind;
    const char* image;
  };
  const ButtonSample row1[] = {{bkOK, "imgbtnok24"},
                       {bkCancel, "imgbtnabbrechen24"},
                       {bkHelp, "imgbtnhilfe24"},
                       {bkNeu, "imgbtnneu24"},
                       {bkAendern, "imgbtnaendern24"},
                       {bkLoeschen, "imgbtnpapierkorb24"},
                       {bkZusatz, "imgbtnweiterefunktionen24"},
                       {bkDruck, "imgbtndrucken24"}};
  int x = 8;
  for (const ButtonSample& s : row1) {
    auto* b = new TkxBitBtn(&form);
    b->SetkxKind(s.kind);
    b->SetImageNormal(repo.Image(s.image));
    b->setGeometry(x, 8, s.kind == bkZusatz ? 110 : 95, 35);
    x += b->width() + 4;
  }
  // Second row: the kinds' own glyph strips, a disabled one, one drawn
  // disabled while clickable, a menu button and a split button.
  x = 8;
  const TkxBitBtnKind row2[] = {bkYes, bkNo, bkWeiter, bkZurueck, bkSuche};
  for (TkxBitBtnKind k : row2) {
    auto* b = new TkxBitBtn(&form);
    b->SetkxKind(k);
    b->setGeometry(x, 52, k == bkSuche ? 110 : 95, 35);
    x += b->width() + 4;
  }
  auto* disabled = new TkxBitBtn(&form);
  disabled->SetkxKind(bkDruck);
  disabled->SetImageNormal(repo.Image("imgbtndrucken24"));
  disabled->setEnabled(false);
  disabled->setGeometry(x, 52, 95, 35);
  x += 99;
  auto* deakt = new TkxBitBtn(&form);
  deakt->SetkxKind(bkNeu);
  deakt->SetkxDeaktiviert(true);
  deakt->setGeometry(x, 52, 95, 35);
  x += 99;
  auto* menu = new QMenu(&form);
  menu->addAction(QStringLiteral("Eintrag"));
  auto* split = new TkxBitBtn(&form);
  split->SetkxKind(bkExport);
  split->SetImageNormal(repo.Image("imgbtnexport24"));
  split->SetkxMenue(menu);
  split->OnClick = [] {};
  split->SetkxnichtFlat(true);
  split->setGeometry(x, 52, 110, 35);
  // Third row: large kinds with the glyph above the caption, as the main window has them.
  x = 8;
  const ButtonSample row3[] = {
      {bkGNeu, "imgbtnneu32"},     {bkGClose, "imgbtnclose32"}, {bkGLoeschen, "imgbtnpapierkorb32"},
      {bkGStart, "imgbtnstart32"}, {bkGAmpelgelb, ""},          {bkGDruck, "imgbtndrucken32"}};
  for (const ButtonSample& s : row3) {
    auto* b = new TkxBitBtn(&form);
    b->SetkxKind(s.kind);
    if (*s.image) b->SetImageNormal(repo.Image(s.image));
    b->SetLayout(blGlyphTop);
    b->setGeometry(x, 96, 80, 57);
    x += 84;
  }
  form.resize(930, 160);
  Shot(form, "buttons");
}

void Sheet(TFormBildressourcen& repo) {
  const auto& names = TFormBildressourcen::ImageNames();
  std::vector<std::pair<std::string, QImage>> items;
  for (const auto& n : names)
    if (!repo.Image(n).isNull()) items.emplace_back(n, repo.Image(n));
  for (const char* n : {"BTNENDH", "BTNSEITEH", "BTNEINSH", "BTNEINSR", "BTNSEITER", "BTNENDR",
                        "BTNCLOSE", "BTNCLOSE2", "BTNEDIT", "SCHNELLSUCHE", "SCHNELLSUCHEZQ42",
                        "SORTIERUNGZQ4", "dlgabfrage", "dlghinweis", "dlgachtung", "dlgfehler"})
    items.emplace_back(n, LoadProgramImage(n));
  for (int i = 0; i < TFormBildressourcen::kMenuGlyphCount; ++i)
    items.emplace_back("menuek" + std::to_string(i), repo.MenuGlyph(i));
  const int cols = 8, cw = 150, ch = 84;
  QImage sheet(cols * cw, int((items.size() + cols - 1) / cols) * ch, QImage::Format_ARGB32);
  sheet.fill(QColor(240, 240, 240));
  QPainter p(&sheet);
  QFont f(QStringLiteral("Arial"));
  f.setPixelSize(9);
  p.setFont(f);
  for (std::size_t i = 0; i < items.size(); ++i) {
    const int x = int(i % cols) * cw, y = int(i / cols) * ch;
    p.drawImage(x + 4, y + 4, items[i].second);
    p.setPen(Qt::black);
    p.drawText(QRect(x + 2, y + 68, cw - 4, 16), Qt::AlignLeft,
               QString::fromLatin1(items[i].first.c_str()));
  }
  p.end();
  sheet.save(gOut + QStringLiteral("/repository.png"));
}
// The pictures of everyday buttons and menus three times enlarged, to judge their pixels.
void Zoom(TFormBildressourcen& repo) {
  const char* names[] = {
      "imgbtnok24",      "imgbtnabbrechen24",  "imgbtnhilfe24",   "imgbtnclose24",
      "imgbtnweiter24",  "imgbtnuebernahme24", "imgbtndrucken24", "imgbtnneu24",
      "imgbtnaendern24", "imgbtnpapierkorb24", "imgbtnreseto24",  "imgbtnsuche24",
      "imgbtn15x15x0",   "imgbtn15x15x1",      "imgbtn15x15x2",   "imgbtn15x15x4",
      "imgbtn15x15x7",   "imgbtn15x15x13",     "imgbtnreseto15",  "imgbtnClose15",
      "imgbtnuhr15",     "imgbtnkalender15",   "imgbtnhistory32", "imgbtnspeichern24"};
  const int cols = 6, cell = 90;
  QImage sheet(cols * cell, 4 * cell, QImage::Format_ARGB32);
  sheet.fill(QColor(240, 240, 240));
  QPainter p(&sheet);
  for (int i = 0; i < 24; ++i) {
    const QImage img = repo.Image(names[i]);
    p.drawImage(
        QRect((i % cols) * cell + 4, (i / cols) * cell + 4, img.width() * 3, img.height() * 3),
        img);
  }
  p.end();
  sheet.save(gOut + QStringLiteral("/zoom.png"));
}
}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: uishots <folder>\n");
    return 2;
  }
  gOut = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(gOut);
  TFormBildressourcen repo;

  {
    TkxMessageForm f(TMessageKind::JaNeinFrage);
    f.ShowData({.Caption = "Löschen",
                .Header = "Eintrag löschen?",
                .Text = "Soll der Contest \"DARC 10m\" wirklich gelöscht werden?",
                .DefaultYes = false});
    Shot(f, "janeinfrage");
  }
  {
    TkxMessageForm f(TMessageKind::Hinweis);
    f.ShowData({.Text = "Die Datei wurde gespeichert."});
    Shot(f, "hinweis");
  }
  {
    TkxMessageForm f(TMessageKind::Hinweis);
    f.ShowData({.Caption = "Export",
                .Header = "Export beendet",
                .Text = "Es wurden 1234 QSOs in die Datei\r\nC:/Logs/dl0abc.cbr exportiert.",
                .Weiter = true,
                .ShowCheckbox = true});
    Shot(f, "hinweisweiter");
  }
  {
    TkxMessageForm f(TMessageKind::Achtung);
    f.ShowData({.Header = "Eingabedaten unvollständig!",
                .Text = "Bitte geben Sie das eigene Rufzeichen ein."});
    Shot(f, "achtung");
  }
  {
    TkxMessageForm f(TMessageKind::Fehler);
    f.ShowData(
        {.Text = "Die Tabelle ZQKK.DAT kann nicht geöffnet werden, weil sie von einem anderen "
         "Programm gesperrt ist. Bitte beenden Sie alle anderen Programme, die auf das "
         "Datenverzeichnis zugreifen, und versuchen Sie es erneut."});
    Shot(f, "fehler");
  }
  {
    TkxMessageForm f(TMessageKind::FehlerInfo);
    f.ShowData({.Text = "Die Datenbank konnte nicht angelegt werden (Fehler 5).",
                .ButtonCaption = "wichtiger Installationshinweis bei Vista",
                .Target = "zq4v.htm"});
    Shot(f, "fehlerinfo");
  }
  Buttons(repo);
  Sheet(repo);
  Zoom(repo);
  std::printf("written to %s\n", qPrintable(gOut));
  return 0;
}
