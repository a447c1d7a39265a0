#include <gtest/gtest.h>

#include "platform/messages.h"
#include "support/ScriptedMessages.h"

TEST(Messages, ScriptedResponderAnswersInOrder) {
  ScriptedMessages script;
  script.Expect(ScriptedMessages::Kind::JaNeinFrage, "löschen", false)
      .Expect(ScriptedMessages::Kind::Achtung, ToMessages.HeaderUngueltig);
  EXPECT_FALSE(ToMessages.JaNeinFrage("Frage", "", "Wirklich löschen?", true));
  ToMessages.Achtung(ToMessages.HeaderUngueltig, "Rufzeichen fehlt");
  EXPECT_TRUE(script.AllShown());
  ASSERT_EQ(script.History().size(), 2u);
  EXPECT_EQ(script.History()[1].text, "Rufzeichen fehlt");
}

TEST(Messages, HeadersAreTheCheckHeaders) {
  EXPECT_EQ(ToMessages.HeaderUnvollstaendig, "Eingabedaten unvollständig!");
  EXPECT_EQ(ToMessages.HeaderUngueltig, "Ungültige Daten!");
}
