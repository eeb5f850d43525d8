#pragma once
// The start-at-login choice: checked only while the user's login entry
// starts this very copy of the program.
bool StartsThisProgramAtLogin();
// Makes the entry start this copy, in the tray, or removes it; returns what
// the entry then really does, written or not.
bool ChooseStartAtLogin(bool start);
