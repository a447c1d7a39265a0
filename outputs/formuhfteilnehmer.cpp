#include "outputs/formuhfteilnehmer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "platform/codec.h"
#include "platform/textfile.h"

namespace {
QString Q(const std::string& s) { return AnsiToQString(s); }
std::string A(const QString& s) { return QStringToAnsi(s); }

QLineEdit* AddEdit(QGridLayout* grid, int row, const char* label, const char* name) {
  auto* edit = new QLineEdit;
  edit->setObjectName(QLatin1String(name));
  grid->addWidget(new QLabel(AnsiToQString(label)), row, 0);
  grid->addWidget(edit, row, 1);
  return edit;
}
}  // namespace

Tuhfteilnehmer::Tuhfteilnehmer(QWidget* parent) : TkxForm(parent) {
  setObjectName(QStringLiteral("uhfteilnehmer"));
  setWindowTitle(QStringLiteral("VHF/UHF-Contest"));
  auto* layout = new QGridLayout(this);

  auto* gp = new QGroupBox(AnsiToQString("Teilnehmer"));
  auto* g1 = new QGridLayout(gp);
  pcall = AddEdit(g1, 0, "Call", "pcall");
  ploc = AddEdit(g1, 1, "Locator", "ploc");
  padr1 = AddEdit(g1, 2, "Adresszeile 1", "padr1");
  padr2 = AddEdit(g1, 3, "Adresszeile 2", "padr2");
  pband = new QComboBox;
  pband->setObjectName(QStringLiteral("pband"));
  pband->setEditable(true);
  for (const std::string& b : EdiBandItems()) pband->addItem(Q(b));
  g1->addWidget(new QLabel(QStringLiteral("Band")), 4, 0);
  g1->addWidget(pband, 4, 1);
  pclub1 = AddEdit(g1, 5, "Club", "pclub1");
  pclub2 = AddEdit(g1, 6, "DOK", "pclub2");
  layout->addWidget(gp, 0, 0);

  auto* gr = new QGroupBox(AnsiToQString("zuständiger Funkamateur"));
  auto* g2 = new QGridLayout(gr);
  radr1 = AddEdit(g2, 0, "Adresszeile 1", "radr1");
  radr2 = AddEdit(g2, 1, "Adresszeile 2", "radr2");
  rname = AddEdit(g2, 2, "Name", "rname");
  rpoco = AddEdit(g2, 3, "PLZ", "rpoco");
  rcity = AddEdit(g2, 4, "Stadt", "rcity");
  rcoun = AddEdit(g2, 5, "Land", "rcoun");
  remail = AddEdit(g2, 6, "EMail", "remail");
  layout->addWidget(gr, 0, 1);

  auto* gm = new QGroupBox(QStringLiteral("Mehrmann"));
  auto* g3 = new QGridLayout(gm);
  g3->addWidget(new QLabel(AnsiToQString("Teilnehmer (Rufzeichen mit ; trennen)")), 0, 0, 1, 2);
  mope1 = new QLineEdit;
  mope1->setObjectName(QStringLiteral("mope1"));
  mope2 = new QLineEdit;
  mope2->setObjectName(QStringLiteral("mope2"));
  g3->addWidget(mope1, 1, 0, 1, 2);
  g3->addWidget(mope2, 2, 0, 1, 2);
  layout->addWidget(gm, 1, 0);

  auto* gs = new QGroupBox(QStringLiteral("Station"));
  auto* g4 = new QGridLayout(gs);
  rtrx = AddEdit(g4, 0, "TRX", "rtrx");
  rant = AddEdit(g4, 1, "Ant.", "rant");
  rpower = AddEdit(g4, 2, "Power", "rpower");
  psect = new QComboBox;
  psect->setObjectName(QStringLiteral("psect"));
  psect->setEditable(true);
  g4->addWidget(new QLabel(AnsiToQString("Wertungs- gruppe:")), 3, 0);
  g4->addWidget(psect, 3, 1);
  layout->addWidget(gs, 1, 1);

  layout->addWidget(new QLabel(AnsiToQString("Bemerkungen, Ausrüstung")), 2, 0, 1, 2);
  rremarks = new QPlainTextEdit;
  rremarks->setObjectName(QStringLiteral("rremarks"));
  layout->addWidget(rremarks, 3, 0, 1, 2);
  cspeichern = new QCheckBox(AnsiToQString("Adresse als eigene Standardadresse speichern"));
  cspeichern->setObjectName(QStringLiteral("cspeichern"));
  layout->addWidget(cspeichern, 4, 0);
  btnok = new QPushButton(QStringLiteral("OK"));
  btnok->setObjectName(QStringLiteral("btnok"));
  btnok->setDefault(true);
  layout->addWidget(btnok, 4, 1, Qt::AlignRight);
  connect(btnok, &QPushButton::clicked, this, [this] {
    BeginButtonClick(1);
    EndButtonClick();
  });
}

void Tuhfteilnehmer::Load(const TEdiParticipant& p, const std::vector<std::string>& sections) {
  pcall->setText(Q(p.pcall));
  ploc->setText(Q(p.ploc));
  padr1->setText(Q(p.padr1));
  padr2->setText(Q(p.padr2));
  pband->setEditText(Q(p.pband));
  pclub1->setText(Q(p.pclub1));
  pclub2->setText(Q(p.pclub2));
  radr1->setText(Q(p.radr1));
  radr2->setText(Q(p.radr2));
  rname->setText(Q(p.rname));
  rpoco->setText(Q(p.rpoco));
  rcity->setText(Q(p.rcity));
  rcoun->setText(Q(p.rcoun));
  mope1->setText(Q(p.mope1));
  mope2->setText(Q(p.mope2));
  std::string remarks;
  for (size_t i = 0; i < p.rremarks.size(); ++i) remarks += (i ? "\n" : "") + p.rremarks[i];
  rremarks->setPlainText(Q(remarks));
  rtrx->setText(Q(p.rtrx));
  rant->setText(Q(p.rant));
  rpower->setText(Q(p.rpower));
  remail->setText(Q(p.remail));
  psect->clear();
  for (const std::string& s : sections) psect->addItem(Q(s));
  psect->setEditText(Q(p.psect));
  cspeichern->setChecked(p.cspeichern);
}

void Tuhfteilnehmer::Store(TEdiParticipant& p) const {
  p.pcall = A(pcall->text());
  p.ploc = A(ploc->text());
  p.padr1 = A(padr1->text());
  p.padr2 = A(padr2->text());
  p.pband = A(pband->currentText());
  p.pclub1 = A(pclub1->text());
  p.pclub2 = A(pclub2->text());
  p.radr1 = A(radr1->text());
  p.radr2 = A(radr2->text());
  p.rname = A(rname->text());
  p.rpoco = A(rpoco->text());
  p.rcity = A(rcity->text());
  p.rcoun = A(rcoun->text());
  p.mope1 = A(mope1->text());
  p.mope2 = A(mope2->text());
  const std::string remarks = A(rremarks->toPlainText());
  p.rremarks = remarks.empty() ? std::vector<std::string>() : SplitTextLines(remarks);
  p.rtrx = A(rtrx->text());
  p.rant = A(rant->text());
  p.rpower = A(rpower->text());
  p.remail = A(remail->text());
  p.psect = A(psect->currentText());
  p.cspeichern = cspeichern->isChecked();
}

void TUhfParticipantDialog::Run(TEdiParticipant& p, const std::string& caption,
                                const std::vector<std::string>& sections) {
  Tuhfteilnehmer form;
  if (!caption.empty()) form.setWindowTitle(AnsiToQString(caption));
  form.Load(p, sections);
  form.ShowModal();
  form.Store(p);
}
