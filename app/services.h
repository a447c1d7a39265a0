#pragma once
// The installation of every service into the entry points that the lower
// folders call: the message dialogs, the DXCC choice, the contest set-up
// dialog, the log window, the log outputs, the period dialog, the memo
// window and the file viewer.
void InstallProgramServices();
