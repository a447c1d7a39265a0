// The message dialogs: sizing rule, buttons and keys, the help button, and
// ToMessages showing them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>

#include "ModalDriver.h"
#include "platform/codec.h"
#include "platform/launcher.h"
#include "support/ScriptedMessages.h"
#include "ui/kxMessageForm.h"
#include "ui/kxbuttons.h"
#include "ui/kxmessage.h"
#include "support/RecordingLauncher.h"

namespace {
TMessageLayout Size(int textWidth, int lineBreaks = 0, double fontSize = 9, int textHeight = 14) {
  TMessageMeasure m;
  m.fontSize = fontSize;
  m.textWidth = textWidth;
  m.textHeight = textHeight;
  m.lineBreaks = lineBreaks;
  return ComputeMessageLayout(m);
}
}  // namespace

TEST(MessageSizing, WidthBoundsAndWrapping) {
  EXPECT_EQ(Size(0).clientWidth, 320);
  EXPECT_EQ(Size(171).clientWidth, 320);
  EXPECT_EQ(Size(173).clientWidth, 321);
  // 600 is not wrapped, 601 is.
  EXPECT_FALSE(Size(452).wrapped);
  EXPECT_EQ(Size(452).clientWidth, 600);
  const TMessageLayout w = Size(453);
  EXPECT_TRUE(w.wrapped);
  EXPECT_EQ(w.labelWidth, 580);
  EXPECT_EQ(w.clientWidth, 728);
  EXPECT_EQ(w.labelHeight, 15);
  // 1200 pixels: 1200 div 580 + 1 = 3 lines of 15, plus 15 per line break.
  EXPECT_EQ(Size(1200).labelHeight, 45);
  EXPECT_EQ(Size(1200, 2).labelHeight, 75);
  EXPECT_EQ(Size(1200, 2).clientHeight, 48 + 75 + 66);
}

TEST(MessageSizing, HeightAndFontSize) {
  // The picture is never cut: 16 + 64 + 66 for the square pictures, 16 + 61 + 66 for triangles.
  EXPECT_EQ(Size(100).clientHeight, 146);
  TMessageMeasure m;
  m.imageBottom = 16 + 61;
  EXPECT_EQ(ComputeMessageLayout(m).clientHeight, 143);
  // A text with a line break that fits is not wrapped; its own height decides.
  const TMessageLayout two = Size(300, 1, 9, 100);
  EXPECT_FALSE(two.wrapped);
  EXPECT_EQ(two.labelHeight, 100);
  EXPECT_EQ(two.clientHeight, 48 + 100 + 66);
  // Font size 12: f = 4/3.
  EXPECT_EQ(Size(0, 0, 12).clientWidth, 427);
  EXPECT_EQ(MessageWrapWidth(12), 773);
  EXPECT_EQ(Size(2000, 0, 12).labelWidth, 773);
  EXPECT_EQ(Size(2000, 0, 12).labelHeight, 20 * 3);
}

TEST(MessageSizing, WrappedTextIsNeverCut) {
  TMessageMeasure m;
  m.textWidth = 1200;
  m.wrappedHeight = 80;  // long words wrap into more lines than the width suggests
  EXPECT_EQ(ComputeMessageLayout(m).labelHeight, 80);
  EXPECT_EQ(CountLineBreaks("a\r\nb\rc\nd"), 3);
  EXPECT_EQ(CountLineBreaks(""), 0);
}

TEST(MessageForms, FillAndSizeLikeTheRule) {
  TkxMessageForm f(TMessageKind::Fehler);
  const std::string text(200, 'W');
  f.ShowData({.Text = text + " " + text});
  const TMessageLayout& l = f.LastLayout();
  EXPECT_TRUE(l.wrapped);
  EXPECT_EQ(f.width(), 728);
  EXPECT_EQ(f.Label2->width(), 580);
  // The label holds the whole text: what the wrapped text needs fits in.
  const int needed = f.Label2->heightForWidth(580);
  EXPECT_GE(f.Label2->height(), needed);
  EXPECT_EQ(f.height(), 48 + f.Label2->height() + 66);
  EXPECT_EQ(f.windowTitle(), QStringLiteral("Fehler"));
  EXPECT_EQ(f.Label1->text(), QStringLiteral("Fehlermeldung:"));
  // The button is centred.
  EXPECT_EQ(f.kxBitBtn1->x(), 728 / 2 - 113 / 2);

  TkxMessageForm q(TMessageKind::JaNeinFrage);
  q.ShowData({.Caption = "", .Header = "", .Text = "Kurz", .DefaultYes = true});
  EXPECT_EQ(q.width(), 320);
  EXPECT_EQ(q.height(), 146);
  EXPECT_EQ(q.windowTitle(), QStringLiteral("Abfrage"));  // empty caption: design title
  EXPECT_EQ(q.kxBitBtn1->x(), 160 - 81);
  EXPECT_EQ(q.kxBitBtn2->x(), 161);

  TkxMessageForm i(TMessageKind::FehlerInfo);
  i.ShowData({.Text = "Fehler", .ButtonCaption = "", .Target = "x"});
  EXPECT_EQ(i.kxBitBtn2->text(), QString());  // also an empty caption is taken
  EXPECT_EQ(i.kxBitBtn2->x(), 320 - 5 - 265);
  EXPECT_EQ(i.kxBitBtn1->x(), i.kxBitBtn2->x() / 2 - 113 / 2);

  TkxMessageForm a(TMessageKind::Achtung);
  a.ShowData({.Header = "Eingabedaten unvollst\xE4ndig!", .Text = "Rufzeichen fehlt"});
  EXPECT_EQ(a.windowTitle(), QStringLiteral("Achtung"));
  EXPECT_EQ(a.Label1->text(), AnsiToQString("Eingabedaten unvollst\xE4ndig!"));
  EXPECT_EQ(a.height(), 143);

  // Without a header the form says "Achtung:" itself, once: not above a
  // text that begins with it.
  TkxMessageForm plain(TMessageKind::Achtung);
  plain.ShowData({.Header = "", .Text = "Rufzeichen fehlt"});
  EXPECT_EQ(plain.Label1->text(), QStringLiteral("Achtung:"));
  TkxMessageForm once(TMessageKind::Achtung);
  once.ShowData({.Header = "",
                 .Text = "Achtung: Durch das L\xF6schen eines Eintrages werden die Nummern "
                         "verringert."});
  EXPECT_EQ(once.Label1->text(), QString());
  EXPECT_EQ(once.Label2->text().count(QStringLiteral("Achtung:")), 1);
}

namespace {
bool Ask(bool defaultYes, std::function<void(QWidget*)> answer) {
  WhenModal(answer);
  return ToMessages.JaNeinFrage("Frage", "Wirklich?", "Soll der Eintrag gel\xF6scht werden?",
                                defaultYes);
}

struct Dialogs : ::testing::Test {
  TMessagePresenter* previous = nullptr;
  void SetUp() override {
    previous = ToMessages.Presenter();
    InstallMessageDialogs();
  }
  void TearDown() override { ToMessages.SetPresenter(previous); }
};

}  // namespace

TEST_F(Dialogs, QuestionAnswersByKeysAndCloseBox) {
  EXPECT_FALSE(Ask(false, [](QWidget* w) { Key(w, Qt::Key_Return); }));
  EXPECT_TRUE(Ask(true, [](QWidget* w) { Key(w, Qt::Key_Return); }));
  EXPECT_FALSE(Ask(true, [](QWidget* w) { Key(w, Qt::Key_Escape); }));
  EXPECT_FALSE(Ask(false, [](QWidget* w) { Key(w, Qt::Key_Escape); }));
  EXPECT_FALSE(Ask(true, [](QWidget* w) { w->close(); }));
  // Alt+J answers Ja whatever the default.
  EXPECT_TRUE(Ask(false, [](QWidget* w) {
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : w, Qt::Key_J,
                    Qt::AltModifier);
  }));
}

TEST_F(Dialogs, QuestionShowsItsTexts) {
  QString title, header, text, yes;
  Ask(true, [&](QWidget* w) {
    auto* f = qobject_cast<TkxMessageForm*>(w);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->Kind(), TMessageKind::JaNeinFrage);
    title = f->windowTitle();
    header = f->Label1->text();
    text = f->Label2->text();
    yes = f->kxBitBtn1->text();
    f->kxBitBtn1->click();
  });
  EXPECT_EQ(title, QStringLiteral("Frage"));
  EXPECT_EQ(header, QStringLiteral("Wirklich?"));
  EXPECT_EQ(text, QStringLiteral("Soll der Eintrag gelöscht werden?"));
  EXPECT_EQ(yes, QStringLiteral("&Ja"));
}

TEST_F(Dialogs, NoticeWithCloseOrWeiterAndItsCheckBox) {
  QString caption;
  bool checkVisible = true;
  WhenModal([&](QWidget* w) {
    auto* f = qobject_cast<TkxMessageForm*>(w);
    caption = f->kxBitBtn1->text();
    checkVisible = f->ccheck->isVisible();
    Key(w, Qt::Key_Return);
  });
  EXPECT_FALSE(ToMessages.Hinweis("", "", "Gespeichert.", false));
  EXPECT_EQ(caption, QStringLiteral("&Schließen"));
  EXPECT_FALSE(checkVisible);

  WhenModal([&](QWidget* w) {
    auto* f = qobject_cast<TkxMessageForm*>(w);
    caption = f->kxBitBtn1->text();
    checkVisible = f->ccheck->isVisible();
    f->ccheck->setChecked(true);
    f->kxBitBtn1->click();
  });
  EXPECT_TRUE(ToMessages.HinweisWeiter("Export", "Fertig", "Weiter geht's.", true));
  EXPECT_EQ(caption, QStringLiteral("&Weiter"));
  EXPECT_TRUE(checkVisible);
}

TEST_F(Dialogs, WarningAndErrorClose) {
  int result = -1;
  WhenModal([&](QWidget* w) {
    auto* f = qobject_cast<TkxMessageForm*>(w);
    EXPECT_EQ(f->kxBitBtn1->text(), QStringLiteral("&Weiter"));
    Key(w, Qt::Key_Return);
  });
  ToMessages.Achtung(ToMessages.HeaderUnvollstaendig, "Rufzeichen fehlt");
  WhenModal([&](QWidget* w) {
    Key(w, Qt::Key_Escape);  // Abbrechen is the cancel button
    result = QApplication::activeModalWidget() ? 1 : 0;
  });
  ToMessages.Fehler("Datei nicht gefunden");
  EXPECT_EQ(result, 0);
}

TEST_F(Dialogs, EscapeClosesEveryBoxWithASingleButton) {
  for (const std::function<void()>& show : std::vector<std::function<void()>>{
           [] { ToMessages.Hinweis("", "", "Gespeichert.", false); },
           [] { ToMessages.HinweisWeiter("Export", "Fertig", "Weiter geht's.", true); },
           [] { ToMessages.Achtung(ToMessages.HeaderUnvollstaendig, "Rufzeichen fehlt"); },
           [] { ToMessages.Fehler("Datei nicht gefunden"); }}) {
    bool stillOpen = true;
    WhenModal([&](QWidget* w) {
      Key(w, Qt::Key_Escape);
      stillOpen = w->isVisible();
      if (stillOpen) w->close();  // so that the test goes on
    });
    show();
    EXPECT_FALSE(stillOpen);
  }
}

TEST_F(Dialogs, ErrorHelpButtonOpensItsTargetAndTheDialogStaysOpen) {
  RecordingLauncher launcher;
  bool openAfterHelp = false;
  WhenModal([&](QWidget* w) {
    auto* f = qobject_cast<TkxMessageForm*>(w);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->Kind(), TMessageKind::FehlerInfo);
    EXPECT_EQ(f->kxBitBtn2->text(), QStringLiteral("wichtiger Installationshinweis bei Vista"));
    f->kxBitBtn2->click();
    openAfterHelp = f->isVisible();
    f->kxBitBtn1->click();
  });
  ToMessages.FehlerInfo("Fehler 5", "wichtiger Installationshinweis bei Vista", "/daten/zq4v.htm");
  EXPECT_TRUE(openAfterHelp);
  EXPECT_EQ(launcher.opened, std::vector<std::string>{"/daten/zq4v.htm"});
}

// A window that stays on top of all others (a job's progress window)
// would cover the message the job waits on: it steps aside while the
// message is up and shows again after it. Other windows stay as they are.
TEST_F(Dialogs, AWindowOnTopStepsAsideWhileAMessageIsUp) {
  QWidget onTop(nullptr, Qt::Window | Qt::WindowStaysOnTopHint);
  QWidget plain;
  onTop.show();
  plain.show();
  bool onTopShown = true, plainShown = false;
  EXPECT_TRUE(Ask(true, [&](QWidget* w) {
    onTopShown = onTop.isVisible();
    plainShown = plain.isVisible();
    Key(w, Qt::Key_Return);
  }));
  EXPECT_FALSE(onTopShown);
  EXPECT_TRUE(plainShown);
  EXPECT_TRUE(onTop.isVisible());
  EXPECT_TRUE(plain.isVisible());
}

TEST_F(Dialogs, ScriptedResponderTakesOverAndGivesBack) {
  TMessagePresenter* dialogs = ToMessages.Presenter();
  {
    ScriptedMessages script;
    script.Expect(ScriptedMessages::Kind::JaNeinFrage, "gel\xF6scht", true);
    EXPECT_TRUE(ToMessages.JaNeinFrage("", "", "Wirklich gel\xF6scht?", false));
    EXPECT_TRUE(script.AllShown());
  }
  EXPECT_EQ(ToMessages.Presenter(), dialogs);
}

TEST(MessageForms, VisibleCheckBoxKeepsClearOfTheButton) {
  TkxMessageForm f(TMessageKind::Hinweis);
  f.ShowData({.Caption = "", .Header = "", .Text = "Kurz", .Weiter = false, .ShowCheckbox = true});
  EXPECT_GE(f.kxBitBtn1->x(), f.ccheck->x() + f.ccheck->width());
  EXPECT_LE(f.kxBitBtn1->x() + f.kxBitBtn1->width(), f.width());
  TkxMessageForm plain(TMessageKind::Hinweis);
  plain.ShowData(
      {.Caption = "", .Header = "", .Text = "Kurz", .Weiter = false, .ShowCheckbox = false});
  EXPECT_EQ(plain.width(), 320);
  EXPECT_EQ(plain.kxBitBtn1->x(), 160 - 105 / 2);
}
