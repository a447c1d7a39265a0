#pragma once
// What the save of the log window writes beside the QSO: the member lists
// that learn a partner's number in memory, by contest letter.
#include <string>
#include <vector>


// One member list a save adds an unlisted partner to: the value typed in a
// received exchange edit goes into field Field of a new line of list List
// of the file.
struct TMemberListUpdate {
  std::string File;
  int List = 1;
  int Field = 2;
  int Edit = 1;  // received exchange edit: 1 eRSTr2, 2 eRSTr3
};

// The member lists of a contest letter ('k', '6', 'i', 'n', 'v'); none for
// the others.
std::vector<TMemberListUpdate> MemberListUpdates(char contestLetter);
